# End-to-end cases of lnkedit: every folder here with a "1.args" or
# "1.line" file is one case, run by run_case.cmake (under a cross build
# through Wine).
file(GLOB _lnkedit_cases LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/tools/lnkedit/*)
foreach(case_dir ${_lnkedit_cases})
  if(IS_DIRECTORY ${case_dir} AND (EXISTS ${case_dir}/1.args OR EXISTS ${case_dir}/1.line))
    get_filename_component(case ${case_dir} NAME)
    add_test(NAME lnkedit.e2e.${case}
      COMMAND ${CMAKE_COMMAND}
        -DLNKEDIT=$<TARGET_FILE:lnkedit>
        "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
        -DCASE=${case_dir}
        -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
        -DWORK=${CMAKE_BINARY_DIR}/lnkedit_e2e/${case}
        -P ${CMAKE_SOURCE_DIR}/tests/tools/lnkedit/run_case.cmake)
    tornel_under_wine(lnkedit.e2e.${case})
  endif()
endforeach()
