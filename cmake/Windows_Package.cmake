# The Windows release, `cmake --build <dir> --target package`: a portable zip
# (the programs, the voice pack and the readme in one folder, which keeps its
# settings beside horavox.exe) and the NSIS installer (packaging/windows/).
find_program(MAKENSIS makensis REQUIRED)  # nsis
set(package_name horavox-${PROJECT_VERSION}-windows-x64)
set(package_dir ${CMAKE_BINARY_DIR}/package)
set(stage ${package_dir}/${package_name})
set(HORAVOX_ZIP ${CMAKE_BINARY_DIR}/${package_name}.zip)
set(HORAVOX_SETUP ${CMAKE_BINARY_DIR}/horavox-${PROJECT_VERSION}-setup.exe)
set(installer_stage ${package_dir}/installer)
set(installer_script ${PROJECT_SOURCE_DIR}/packaging/windows/horavox.nsi)
set(marker ${PROJECT_SOURCE_DIR}/packaging/windows/installed)
file(GLOB voice_pack CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/sounds/*)

# Stripped copies: the symbols are half of each executable.
add_custom_command(OUTPUT ${HORAVOX_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_STRIP} -o ${stage}/horavox.exe $<TARGET_FILE:horavox>
  COMMAND ${CMAKE_STRIP} -o ${stage}/horavox-say.exe $<TARGET_FILE:horavox-say>
  COMMAND ${CMAKE_COMMAND} -E copy ${voice_pack} ${stage}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${HORAVOX_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${package_dir}
          ${CMAKE_COMMAND} -E tar cf ${HORAVOX_ZIP} --format=zip ${package_name}
  DEPENDS horavox horavox-say ${voice_pack}
  COMMENT "Packing ${package_name}.zip" VERBATIM)

# The installer's files are the zip's and the marker of an installed copy.
add_custom_command(OUTPUT ${HORAVOX_SETUP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${installer_stage}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${stage} ${installer_stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${marker} ${installer_stage}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${installer_stage} -DICON=${HORAVOX_ICON}
          -DOUTFILE=${HORAVOX_SETUP} ${installer_script}
  DEPENDS ${HORAVOX_ZIP} ${installer_script} ${marker}
  COMMENT "Building horavox-${PROJECT_VERSION}-setup.exe" VERBATIM)

add_custom_target(package DEPENDS ${HORAVOX_ZIP} ${HORAVOX_SETUP})
