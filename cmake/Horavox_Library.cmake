# One folder under src/ is one static library, horavox_<folder>: the folder's
# own sources and those of its half for the system being built (linux/ or
# windows/). Includes are written from src/, as "folder/Name.h".
function(horavox_library folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/${HORAVOX_OS}/*.cpp)
  add_library(horavox_${folder} STATIC ${sources})
  target_include_directories(horavox_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()
