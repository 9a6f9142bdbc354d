# tornel-dev test over a small folder of cases: "passes" holds, "changed"
# expects an NC line the post no longer writes, "fresh" has no expected
# files yet; all three share the post in "shared/".  The cases are copied,
# as --update rewrites them.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${CASES}/ DESTINATION ${WORK}/cases)

function(run_dev expected_status)
  set(command ${TORNEL_DEV} test ${WORK}/cases ${ARGN} --tornel ${TORNEL} --work ${WORK}/runs)
  if(EMULATOR)
    set(command ${EMULATOR} ${command})
  endif()
  execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out
    ERROR_VARIABLE err INPUT_FILE /dev/null)
  string(REPLACE "\r\n" "\n" out "${out}")
  if(NOT "${status}" STREQUAL "${expected_status}")
    message(FATAL_ERROR "tornel-dev test ${ARGN}: status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect text)
  string(FIND "${out}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no \"${text}\" in the output:\n${out}")
  endif()
endfunction()

run_dev(1)
expect("FAIL changed\noutput part.nc differs from expected/part.nc:\n")
expect("--- expected/part.nc\n+++ part.nc\n@@ -4,6 +4,6 @@\n N520 TIME 02.:05.:30.\n N530 (FIRST TOOL)\n N540 T01 M06\n-N550 G01 X3.\n+N550 G01 X2.\n N560 M30\n %\n")
expect("/runs/changed)\n")
expect("ok   fresh\nok   passes\ntests: 2 passed, 1 failed\n")
if(NOT EXISTS ${WORK}/runs/changed/part.nc OR EXISTS ${WORK}/runs/passes)
  message(FATAL_ERROR "a failed case keeps its work folder, a passed one does not")
endif()

run_dev(0 --update)
expect("UPDATED changed\n")
expect("updated expected/part.nc\n")
expect("UPDATED fresh\n")
expect("tests: 1 passed, 0 failed, 2 updated\n")
foreach(c changed fresh)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${CASES}/passes/expected/part.nc ${WORK}/cases/${c}/expected/part.nc RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "--update did not take the new part.nc of ${c}")
  endif()
endforeach()
file(GLOB_RECURSE left ${WORK}/cases/*.tmp)
if(left)
  message(FATAL_ERROR "--update left ${left}")
endif()

run_dev(0)
expect("tests: 3 passed, 0 failed\n")
