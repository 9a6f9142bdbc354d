# Runs one end-to-end case of change.  The case folder holds:
#   args           the arguments, one a line; an empty line is an empty
#                  argument (no ';' in them: CMake splits lists there)
#   expected/      files that must hold exactly these bytes afterwards
#   expected-win32/  the same for the Windows build, where it differs
#   report         what standard error must say natively (empty when
#                  missing); the Windows build's boxes write nothing there
#   only           "posix" or "win32": the case belongs to that build alone
# and the input files, copied into a fresh work folder where change runs.
# change must exit with status 0 and leave no file behind that was not
# there before (no scratch file).
cmake_minimum_required(VERSION 3.25)

if(EMULATOR)
  set(build win32)
else()
  set(build posix)
endif()
if(EXISTS ${CASE}/only)
  file(STRINGS ${CASE}/only only LIMIT_COUNT 1)
  if(NOT only STREQUAL build)
    message(STATUS "case ${CASE}: for the ${only} build only")
    return()
  endif()
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/run)
file(GLOB inputs LIST_DIRECTORIES true RELATIVE ${CASE} ${CASE}/*)
set(names "")
foreach(item ${inputs})
  if(NOT item MATCHES "^(args|expected|expected-win32|report|only)$")
    file(COPY ${CASE}/${item} DESTINATION ${WORK}/run)
    list(APPEND names ${item})
  endif()
endforeach()

# The arguments, empty ones kept: the call is written out with bracket
# arguments, which stand for one argument each even when empty (a list
# would lose them).
file(READ ${CASE}/args text)
if(NOT text STREQUAL "" AND NOT text MATCHES "\n$")
  string(APPEND text "\n")
endif()
set(call "execute_process(COMMAND")
if(EMULATOR)
  # Wine hands UTF-8 arguments over in the prefix's ANSI code page
  # (Windows-1252) when the locale says they are UTF-8.
  string(APPEND call " [==[${CMAKE_COMMAND}]==] -E env LC_ALL=C.UTF-8 [==[${EMULATOR}]==]")
endif()
string(APPEND call " [==[${CHANGE}]==]")
string(REGEX MATCHALL "[^\n]*\n" arg_lines "${text}")
foreach(line IN LISTS arg_lines)
  string(REGEX REPLACE "\n$" "" arg "${line}")
  string(APPEND call " [==[${arg}]==]")
endforeach()
string(APPEND call "
  WORKING_DIRECTORY [==[${WORK}/run]==]
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  INPUT_FILE /dev/null)\n")
file(WRITE ${WORK}/command.cmake "${call}")
include(${WORK}/command.cmake)

set(failures "")
if(NOT "${status}" STREQUAL "0")
  string(APPEND failures "exit status ${status}, expected 0\n")
endif()

set(expected_report "")
if(EXISTS ${CASE}/report AND build STREQUAL "posix")
  file(READ ${CASE}/report expected_report)
endif()
if(NOT "${err}" STREQUAL "${expected_report}")
  string(APPEND failures "standard error was:\n${err}\n--- expected:\n${expected_report}\n---\n")
endif()
if(NOT "${out}" STREQUAL "")
  string(APPEND failures "standard output was:\n${out}\n")
endif()

set(expected_dir ${CASE}/expected)
if(build STREQUAL "win32" AND EXISTS ${CASE}/expected-win32)
  set(expected_dir ${CASE}/expected-win32)
endif()
file(GLOB_RECURSE expected_files RELATIVE ${expected_dir} ${expected_dir}/*)
foreach(f ${expected_files})
  if(NOT EXISTS ${WORK}/run/${f})
    string(APPEND failures "missing output ${f}\n")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${expected_dir}/${f} ${WORK}/run/${f}
      RESULT_VARIABLE differs)
    if(differs)
      string(APPEND failures "output ${f} differs from ${expected_dir}/${f}\n")
    endif()
  endif()
endforeach()

file(GLOB after LIST_DIRECTORIES true RELATIVE ${WORK}/run ${WORK}/run/*)
foreach(f ${after})
  list(FIND names ${f} known)
  if(known EQUAL -1)
    string(APPEND failures "${f} was left behind\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "case ${CASE}:\n${failures}")
endif()
