# GoogleTest for every tree: the system package natively, its sources
# (Debian ships them under /usr/src/googletest) in the mingw trees.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# tarvelax_add_gtest(<target> [TIMEOUT s] [PROPERTIES ...]): registers the
# tests of a GoogleTest program. Discovery happens when the tests run, so
# the Windows trees list their tests under Wine at test time.
function(tarvelax_add_gtest target)
  cmake_parse_arguments(ARG "" "TIMEOUT" "PROPERTIES" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(TARVELAX_CAN_RUN_TESTS)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${ARG_TIMEOUT} ${ARG_PROPERTIES})
  endif()
endfunction()
