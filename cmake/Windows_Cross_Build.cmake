# The cross build for Windows (toolchain cmake/mingw-w64-x86_64.cmake): the
# same libraries as on Linux, up to the last that has its Windows half, the
# Win32 front end, horavox.exe and horavox-say.exe, with their tests, run
# under Wine.
enable_language(C RC)
set(HORAVOX_BIN ${CMAKE_BINARY_DIR}/bin)
foreach(folder util system settings engine audio clock win32)
  add_subdirectory(src/${folder})
endforeach()
# horavox.exe and horavox-say.exe, and the voice pack and readme beside them.
add_subdirectory(src/app)
file(GLOB voice_pack CONFIGURE_DEPENDS sounds/*)
add_custom_target(voice_pack ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HORAVOX_BIN}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${voice_pack} ${HORAVOX_BIN}
  DEPENDS ${voice_pack})
include(cmake/Windows_Package.cmake)

enable_testing()
add_subdirectory(tests/windows)
