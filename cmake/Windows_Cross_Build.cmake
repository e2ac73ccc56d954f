# The cross build for Windows (toolchain cmake/mingw-w64-x86_64.cmake). Qt and
# SDL for Windows are not at hand, so it builds what lies below the windows:
# the core and the Windows platform layer, with their tests, run under Wine.
enable_language(C)
set(HORAVOX_OS windows)
# windows.h without the parts nobody here uses: half the compile time.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

file(GLOB files_sources CONFIGURE_DEPENDS src/platform/Files*.cpp src/platform/windows/Files*.cpp)
add_library(horavox_files STATIC ${files_sources})
target_include_directories(horavox_files PUBLIC src)

file(GLOB core_sources CONFIGURE_DEPENDS src/util/*.cpp src/settings/*.cpp src/engine/*.cpp)
list(FILTER core_sources EXCLUDE REGEX "_Dlg[^/]*\\.cpp$")
add_library(horavox_core STATIC ${core_sources})
target_include_directories(horavox_core PUBLIC src)
target_link_libraries(horavox_core PUBLIC horavox_files)

# The platform layer without sound output, with the window-free commands that use it.
file(GLOB platform_sources CONFIGURE_DEPENDS src/platform/windows/*.cpp)
list(FILTER platform_sources EXCLUDE REGEX "/Files[^/]*\\.cpp$")
add_library(horavox_platform STATIC ${platform_sources} src/platform/File_Probe.cpp src/platform/Program_Launch.cpp
            src/platform/Run_Value_Messages.cpp src/clock/Auto_Run.cpp src/clock/Companion_Programs.cpp)
target_link_libraries(horavox_platform PUBLIC horavox_core)

enable_testing()
add_subdirectory(tests/windows)
