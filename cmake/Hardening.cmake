# The compiler's and linker's protections, for every build that users get:
# what Debian builds its packages with, and on Windows what MSVC gives by
# default (ASLR, DEP). Each flag is asked of the toolchain first, so another
# compiler or architecture drops what it does not know instead of failing.
# The sanitizer and fuzz builds keep their own flags.
# HORAVOX_BIND_NOW tells the package test whether to expect immediate binding.
set(HORAVOX_BIND_NOW OFF)
if(HORAVOX_SANITIZE OR HORAVOX_FUZZ)
  return()
endif()
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

if(CMAKE_CROSSCOMPILING AND WIN32)
  # ASLR and DEP: mingw-w64's linker marks executables for them by default
  # only since binutils 2.36, so they are asked for.
  foreach(flag --dynamicbase --nxcompat --high-entropy-va)
    string(REGEX REPLACE "^-+" "" name ${flag})
    string(MAKE_C_IDENTIFIER "HORAVOX_LINKER_HAS_${name}" result)
    check_linker_flag(CXX "LINKER:${flag}" ${result})
    if(${result})
      add_link_options("LINKER:${flag}")
    endif()
  endforeach()
  # The stack protector's guard and handler live in libssp, which the driver
  # links only when the flag is given at the link too (statically here, so the
  # programs need no libssp DLL).
  set(CMAKE_REQUIRED_LINK_OPTIONS -fstack-protector-strong)
  check_cxx_compiler_flag(-fstack-protector-strong HORAVOX_CXX_HAS_STACK_PROTECTOR)
  unset(CMAKE_REQUIRED_LINK_OPTIONS)
  if(HORAVOX_CXX_HAS_STACK_PROTECTOR)
    add_compile_options(-fstack-protector-strong)
    add_link_options(-fstack-protector-strong)
  endif()
  unset(name)
  unset(result)
  return()
endif()

foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(REGEX REPLACE "^-+" "" name ${flag})
  string(MAKE_C_IDENTIFIER "HORAVOX_CXX_HAS_${name}" result)
  check_cxx_compiler_flag(${flag} ${result})
  if(${result})
    add_compile_options(${flag})
  endif()
endforeach()
# The checked library functions need the optimiser (glibc warns without it).
# Undefined first: a compiler that defines its own level would otherwise warn
# of the redefinition.
set(optimised_configs $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
add_compile_options($<${optimised_configs}:-U_FORTIFY_SOURCE> $<${optimised_configs}:-D_FORTIFY_SOURCE=2>)
unset(optimised_configs)
unset(name)
unset(result)

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Relocations read-only after loading, and every symbol bound at start-up so
# that the table stays read-only too.
check_linker_flag(CXX "LINKER:-z,relro,-z,now" HORAVOX_LINKER_HAS_RELRO_NOW)
if(HORAVOX_LINKER_HAS_RELRO_NOW)
  add_link_options("LINKER:-z,relro,-z,now")
  set(HORAVOX_BIND_NOW ON)
endif()
