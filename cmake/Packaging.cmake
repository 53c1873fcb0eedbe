# The release: a ZIP with the program and its read-me, made by
#   cmake --build build/win --target package
install(TARGETS Quillfen2b RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ReadMe.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quillfen)
set(CPACK_PACKAGE_VENDOR "Quillfen")
set(CPACK_PACKAGE_VERSION 2.03b)
set(CPACK_PACKAGE_FILE_NAME Quillfen-2.03b-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/release)
include(CPack)
