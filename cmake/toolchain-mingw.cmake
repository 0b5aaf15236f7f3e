# Windows via mingw-w64. DATECALC_MINGW_ARCH chooses the width: x86_64 (runs here under wine64)
# or i686 (the 32-bit release, which this kernel cannot run). The -posix compilers carry
# std::thread and std::mutex.
set(DATECALC_MINGW_ARCH x86_64 CACHE STRING "mingw-w64 target: x86_64 or i686")
set_property(CACHE DATECALC_MINGW_ARCH PROPERTY STRINGS x86_64 i686)
if(NOT DATECALC_MINGW_ARCH MATCHES "^(x86_64|i686)$")
  message(FATAL_ERROR "DATECALC_MINGW_ARCH is x86_64 or i686, not '${DATECALC_MINGW_ARCH}'")
endif()
# try_compile projects read this file again and need the same width.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DATECALC_MINGW_ARCH)

set(triplet ${DATECALC_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${DATECALC_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(DATECALC_MINGW_ARCH STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
endif()
