# The same program for 64-bit Windows, for machines whose kernel runs no 32-bit code.
set(quillfen_mingw_cpu x86_64)
set(quillfen_wine wine64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
