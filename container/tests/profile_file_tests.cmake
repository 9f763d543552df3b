# The settings file engine: its own tests in every tree, and in the Windows
# trees the comparison with the real profile functions.
add_executable(profile_file_test
  ${CMAKE_CURRENT_LIST_DIR}/profile_file_test.cpp
  ${PROJECT_SOURCE_DIR}/container/core/profile_file.cpp)
target_include_directories(profile_file_test PRIVATE ${PROJECT_SOURCE_DIR}/container/core)
target_link_libraries(profile_file_test PRIVATE GTest::gtest_main)
tarvelax_add_gtest(profile_file_test TIMEOUT 60)

if(WIN32)
  add_executable(profile_differential_test
    ${CMAKE_CURRENT_LIST_DIR}/profile_differential_test.cpp
    ${PROJECT_SOURCE_DIR}/container/core/profile_file.cpp)
  target_include_directories(profile_differential_test PRIVATE ${PROJECT_SOURCE_DIR}/container/core)
  target_link_libraries(profile_differential_test PRIVATE GTest::gtest_main)
  tarvelax_add_gtest(profile_differential_test TIMEOUT 120)
endif()
