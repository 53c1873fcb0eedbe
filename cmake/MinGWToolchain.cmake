# Cross build for Windows with Debian's MinGW-w64 (win32 thread model), included by the
# toolchain files with quillfen_mingw_cpu (i686, x86_64) and quillfen_wine (the Wine
# loader that runs that build's test programs) set.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${quillfen_mingw_cpu})

set(CMAKE_C_COMPILER ${quillfen_mingw_cpu}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${quillfen_mingw_cpu}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${quillfen_mingw_cpu}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${quillfen_mingw_cpu}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(QUILLFEN_WINE ${quillfen_wine} PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLFEN_WINE})
