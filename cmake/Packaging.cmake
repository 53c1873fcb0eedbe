# The release: a ZIP with the program and its read-me, and SHA256SUMS beside it, made by
#   cmake --build build/win --target package
# The same commit gives the same bytes in any folder and at any time (MakeRelease.py; the
# program itself is linked without a time stamp, see CompilerSettings.cmake).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(quillfen_release_dir ${CMAKE_BINARY_DIR}/release)
set(quillfen_release_name Quillfen-2.03b-win32)
# A build folder configured while CPack made the ZIP keeps its CPack files, and CMake
# then holds the name "package" reserved.
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)
add_custom_target(package
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/MakeRelease.py
          ${quillfen_release_dir}/${quillfen_release_name}.zip ${quillfen_release_name}
          ${PROJECT_SOURCE_DIR}
          $<TARGET_FILE:Quillfen2b> ${PROJECT_SOURCE_DIR}/packaging/ReadMe.txt
  DEPENDS Quillfen2b
  BYPRODUCTS ${quillfen_release_dir}/${quillfen_release_name}.zip ${quillfen_release_dir}/SHA256SUMS
  COMMENT "Writing the release ZIP"
  VERBATIM)
