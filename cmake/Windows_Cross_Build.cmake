# The cross build for Windows (toolchain cmake/mingw-w64-x86_64.cmake): the
# same libraries as on Linux, up to the last that has its Windows half, with
# their tests, run under Wine.
enable_language(C)
foreach(folder util system settings engine clock)
  add_subdirectory(src/${folder})
endforeach()

enable_testing()
add_subdirectory(tests/windows)
