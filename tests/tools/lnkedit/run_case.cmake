# Runs one end-to-end case of lnkedit.  The case folder holds its steps,
# run in order in one fresh work folder:
#   N.args         the command line of step N, one argument per line
#   N.line         or the command line as one text, split by lnkedit itself
#                  (natively through sh, under Wine from a batch file, the
#                  way batch files start lnkedit)
#   N.status       the expected exit status (0 when missing)
#   N.report       the expected standard error, exactly (empty when missing)
#   N.status.wine, N.report.wine   what the Windows build gives instead,
#                  where its shell-link object differs (HRESULT codes)
#   sources        files of the source tree to copy in (paths from its top)
#   untouched      files that must keep the bytes they came with
#   absent         files that must not exist afterwards
# Any other file is an input, copied into the work folder.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB inputs RELATIVE ${CASE} ${CASE}/*)
foreach(item ${inputs})
  if(NOT item MATCHES "^([0-9]+\\.(args|line|status|report)(\\.wine)?|sources|untouched|absent)$")
    file(COPY ${CASE}/${item} DESTINATION ${WORK})
  endif()
endforeach()
if(EXISTS ${CASE}/sources)
  file(STRINGS ${CASE}/sources sources)
  foreach(item ${sources})
    file(COPY ${SOURCE_DIR}/${item} DESTINATION ${WORK})
  endforeach()
endif()

# The file a step expects, the Windows build's own when it has one.
function(expected_file step kind out)
  set(path "")
  if(EMULATOR AND EXISTS ${CASE}/${step}.${kind}.wine)
    set(path ${CASE}/${step}.${kind}.wine)
  elseif(EXISTS ${CASE}/${step}.${kind})
    set(path ${CASE}/${step}.${kind})
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

set(failures "")
foreach(step RANGE 1 9)
  if(EXISTS ${CASE}/${step}.args)
    file(STRINGS ${CASE}/${step}.args args)
    set(command ${LNKEDIT} ${args})
    if(EMULATOR)
      set(command ${EMULATOR} ${command})
    endif()
  elseif(EXISTS ${CASE}/${step}.line)
    file(READ ${CASE}/${step}.line line)
    string(STRIP "${line}" line)
    if(EMULATOR)
      # Z: is the root of the Unix file system under Wine.
      string(REPLACE "/" "\\" exe "Z:${LNKEDIT}")
      file(WRITE ${WORK}/step${step}.bat "@${exe} ${line}\r\n")
      set(command ${EMULATOR} cmd.exe /c step${step}.bat)
    else()
      set(command sh -c "exec '${LNKEDIT}' ${line}")
    endif()
  else()
    continue()
  endif()
  execute_process(COMMAND ${command}
    WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    INPUT_FILE /dev/null)
  file(REMOVE ${WORK}/step${step}.bat)

  set(expected_status 0)
  expected_file(${step} status status_file)
  if(status_file)
    file(STRINGS ${status_file} expected_status LIMIT_COUNT 1)
  endif()
  if(NOT "${status}" STREQUAL "${expected_status}")
    string(APPEND failures "step ${step}: exit status ${status}, expected ${expected_status}\n")
  endif()
  set(expected_report "")
  expected_file(${step} report report_file)
  if(report_file)
    file(READ ${report_file} expected_report)
  endif()
  string(REPLACE "\r\n" "\n" err "${err}")
  if(NOT "${err}" STREQUAL "${expected_report}")
    string(APPEND failures
      "step ${step}: standard error was:\n${err}\n--- expected:\n${expected_report}\n---\n")
  endif()
endforeach()

if(EXISTS ${CASE}/untouched)
  file(STRINGS ${CASE}/untouched untouched)
  foreach(f ${untouched})
    set(original ${CASE}/${f})
    if(NOT EXISTS ${original})
      set(original ${SOURCE_DIR}/tests/tools/lnkedit/data/${f})
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${original} ${WORK}/${f}
      RESULT_VARIABLE differs)
    if(differs)
      string(APPEND failures "${f} was changed\n")
    endif()
  endforeach()
endif()
if(EXISTS ${CASE}/absent)
  file(STRINGS ${CASE}/absent absent)
  foreach(f ${absent})
    if(EXISTS ${WORK}/${f})
      string(APPEND failures "${f} should not exist\n")
    endif()
  endforeach()
endif()
# A shortcut is written beside its final name and renamed: nothing is left.
file(GLOB_RECURSE work_files RELATIVE ${WORK} ${WORK}/*.lnkedit-*.tmp)
foreach(f ${work_files})
  string(APPEND failures "work file ${f} should not exist\n")
endforeach()

if(failures)
  message(FATAL_ERROR "case ${CASE}:\n${failures}")
endif()
