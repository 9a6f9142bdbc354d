# scripts/example builds tornel on a machine without the test and benchmark
# libraries, and shows cmake's own error when configuring fails.
#   cmake -DSOURCE_DIR=<tree> -DWORK=<scratch folder> -P example_configure.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")

# As if GoogleTest and Google Benchmark were not installed.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env EXAMPLE_BUILD_DIR=${WORK}/plain
    bash ${SOURCE_DIR}/scripts/example --configure-only
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  string(APPEND failures "configuring without test libraries failed (${status}):\n${out}${err}\n")
elseif(NOT EXISTS ${WORK}/plain/CMakeCache.txt)
  string(APPEND failures "no build folder at EXAMPLE_BUILD_DIR\n")
else()
  file(STRINGS ${WORK}/plain/CMakeCache.txt tests_option REGEX "^TORNEL_TESTS:")
  if(NOT tests_option STREQUAL "TORNEL_TESTS:BOOL=OFF")
    string(APPEND failures "the example build has tests on: ${tests_option}\n")
  endif()
endif()

# A configure error is shown, not swallowed.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env EXAMPLE_BUILD_DIR=${WORK}/broken
    bash ${SOURCE_DIR}/scripts/example --configure-only
    -DCMAKE_CXX_COMPILER=${WORK}/no-such-compiler
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(status EQUAL 0)
  string(APPEND failures "a configure error ended with status 0\n")
endif()
if(NOT err MATCHES "CMake Error" OR NOT err MATCHES "no-such-compiler")
  string(APPEND failures "the configure error was not shown:\n${err}\n")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
