# Warnings and hardening shared by every target of both builds.
add_compile_options(-Wall -Wextra -Werror)

if(WIN32)
  # The program is small and waits on the user: optimise it for size.
  set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "" FORCE)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  add_compile_options(-fstack-protector-strong -ffunction-sections -fdata-sections)
  # Nothing asks a type at run time; exceptions keep the type information they need.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
  # One self-contained PE32 file: the C++ runtime and libgcc are linked in;
  # unused sections are dropped and symbols stripped to keep it small.
  add_link_options(-static -static-libgcc -static-libstdc++
                   -Wl,--dynamicbase -Wl,--nxcompat -fstack-protector-strong
                   -Wl,--gc-sections -s)
  # The same sources give the same bytes: the linker writes no time stamp into the
  # header, and no source or build folder is kept in the code (file names in messages
  # are relative to the source tree).
  add_link_options(-Wl,--no-insert-timestamp)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
  # Link-time optimisation: the linker's section GC cannot drop functions that still have
  # unwind entries, whereas LTO removes and inlines across the program before code is made.
  # One partition, because this MinGW GCC 12 hits an internal error (binds_to_current_def_p)
  # on symbols it privatises across partitions, e.g. in the GoogleTest executables.
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    include(CheckIPOSupported)
    check_ipo_supported(LANGUAGES C CXX)
    set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
    add_link_options(-flto-partition=one)
  endif()
endif()

if(QUILLFEN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
