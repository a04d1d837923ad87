# GoogleTest: the system package natively, built from the system's source tree
# for the cross builds.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# ov_test_suite(folder DEPS ... [PROPERTIES ...]): every .cpp of
# tests/<folder> becomes the test program test_<folder>; PROPERTIES are
# given to each of its tests besides the time-out.
function(ov_test_suite folder)
  cmake_parse_arguments(ARG "" "" "DEPS;PROPERTIES" ${ARGN})
  ov_platform_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  add_executable(test_${folder} ${sources})
  target_link_libraries(test_${folder} PRIVATE ${ARG_DEPS} GTest::gtest_main)
  target_include_directories(test_${folder} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(test_${folder}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 300 ${ARG_PROPERTIES})
endfunction()
