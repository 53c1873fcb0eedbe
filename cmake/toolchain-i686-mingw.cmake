# The shipped program: 32-bit Windows.
set(quillfen_mingw_cpu i686)
set(quillfen_wine wine)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
