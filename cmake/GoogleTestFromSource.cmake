# GoogleTest for the Windows build, compiled from Debian's sources with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)

# The win32 thread model's runtime has no std::mutex or std::condition_variable, which
# GoogleTest's Notification is built on; a Win32-event one replaces it through GoogleTest's
# own customisation header. A plain -I directory, so it is found before GoogleTest's
# (system) include directory, both for GoogleTest itself and for the tests.
set(quillfen_gtest_port ${CMAKE_SOURCE_DIR}/tests/gtest_port)
include_directories(BEFORE ${quillfen_gtest_port})

set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
target_sources(gtest PRIVATE ${quillfen_gtest_port}/Notification.cpp)
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
  add_library(GTest::gmock ALIAS gmock)
endif()
