# Runs one end-to-end case.  The case folder holds:
#   args      the command line, one argument per line
#   status    the expected exit status (0 when missing)
#   report    the expected standard error, exactly (empty when missing)
#   expected/ files that must exist afterwards with exactly these bytes
#   absent    paths, one per line, that must not exist afterwards
#   sources   files of the source tree (paths from its top, one per line)
#             to copy in as inputs, so a case can run the bundled examples
#             without keeping copies of them
# and any input files (post file, APT-CL file, Tornel.lan ...), copied into
# a fresh work folder in which tornel runs.  No temp file may be left behind,
# nor an NC work file ("<nc file>.tornel-<n>.tmp") in any folder.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB inputs LIST_DIRECTORIES true RELATIVE ${CASE} ${CASE}/*)
foreach(item ${inputs})
  if(NOT item MATCHES "^(args|status|report|absent|expected|sources)$")
    file(COPY ${CASE}/${item} DESTINATION ${WORK})
  endif()
endforeach()
if(EXISTS ${CASE}/sources)
  file(STRINGS ${CASE}/sources sources)
  foreach(item ${sources})
    file(COPY ${SOURCE_DIR}/${item} DESTINATION ${WORK})
  endforeach()
endif()

file(STRINGS ${CASE}/args args)
set(command ${TORNEL} ${args})
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
if(NOT "${err}" STREQUAL "${expected_report}")
  string(APPEND failures "standard error was:\n${err}\n--- expected:\n${expected_report}\n---\n")
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

set(absent Tornel.tmp Tornel1.tmp Tornel2.tmp TorApt.tmp TorNc.tmp)
if(EXISTS ${CASE}/absent)
  file(STRINGS ${CASE}/absent more)
  list(APPEND absent ${more})
endif()
foreach(f ${absent})
  if(EXISTS ${WORK}/${f})
    string(APPEND failures "${f} should not exist\n")
  endif()
endforeach()

file(GLOB_RECURSE work_files RELATIVE ${WORK} ${WORK}/*.tornel-*.tmp)
foreach(f ${work_files})
  string(APPEND failures "work file ${f} should not exist\n")
endforeach()

if(failures)
  message(FATAL_ERROR "case ${CASE}:\n${failures}")
endif()
