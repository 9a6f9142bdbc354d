# Runs one end-to-end case of menugen.  The case folder holds:
#   args      the command line, one argument per line (an argument that
#             ends in a backslash must be the last one: CMake reads "\;"
#             inside a list as a semicolon)
#   input/    the tree before the run (list files, post list, menu file,
#             an MPost folder ...), copied into a fresh work folder in
#             which menugen runs
#   readonly  paths of the input, one per line, made read-only first
#   expected/ files that must exist afterwards with exactly these bytes
#   absent    paths, one per line, that must not exist afterwards
#   status    the expected exit status (0 when missing)
#   report    the expected standard error, exactly (empty when missing);
#             backslashes of both sides are compared as slashes, so one
#             text serves the Linux and the Windows separator
# Every other file must be there afterwards as the input had it: a run
# leaves nothing of its own behind (no work file) and changes nothing else.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(EXISTS ${CASE}/input)
  file(COPY ${CASE}/input/ DESTINATION ${WORK})
endif()
if(EXISTS ${CASE}/readonly)
  file(STRINGS ${CASE}/readonly readonly)
  foreach(f ${readonly})
    file(CHMOD ${WORK}/${f} PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
  endforeach()
endif()

file(STRINGS ${CASE}/args args)
set(command ${PROGRAM} ${args})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  INPUT_FILE /dev/null)

set(failures "")
set(expected_status 0)
if(EXISTS ${CASE}/status)
  file(STRINGS ${CASE}/status expected_status LIMIT_COUNT 1)
endif()
if(NOT "${status}" STREQUAL "${expected_status}")
  string(APPEND failures "exit status ${status}, expected ${expected_status}\n")
endif()

set(expected_report "")
if(EXISTS ${CASE}/report)
  file(READ ${CASE}/report expected_report)
endif()
string(REPLACE "\r\n" "\n" err "${err}")
string(REPLACE "\\" "/" err "${err}")
string(REPLACE "\\" "/" expected_report "${expected_report}")
if(NOT "${err}" STREQUAL "${expected_report}")
  string(APPEND failures "standard error was:\n${err}\n--- expected:\n${expected_report}\n---\n")
endif()
if(NOT "${out}" STREQUAL "")
  string(APPEND failures "standard output was:\n${out}\n")
endif()

file(GLOB_RECURSE expected_files RELATIVE ${CASE}/expected ${CASE}/expected/*)
foreach(f ${expected_files})
  if(NOT EXISTS ${WORK}/${f})
    string(APPEND failures "missing output ${f}\n")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CASE}/expected/${f} ${WORK}/${f}
      RESULT_VARIABLE differs)
    if(differs)
      string(APPEND failures "output ${f} differs from expected/${f}\n")
    endif()
  endif()
endforeach()

file(GLOB_RECURSE work_files RELATIVE ${WORK} ${WORK}/*)
foreach(f ${work_files})
  if(f IN_LIST expected_files)
    continue()
  endif()
  if(NOT EXISTS ${CASE}/input/${f})
    string(APPEND failures "${f} should not exist\n")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CASE}/input/${f} ${WORK}/${f}
      RESULT_VARIABLE differs)
    if(differs)
      string(APPEND failures "${f} changed\n")
    endif()
  endif()
endforeach()

if(EXISTS ${CASE}/absent)
  file(STRINGS ${CASE}/absent absent)
  foreach(f ${absent})
    if(EXISTS ${WORK}/${f})
      string(APPEND failures "${f} should not exist\n")
    endif()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "case ${CASE}:\n${failures}")
endif()
