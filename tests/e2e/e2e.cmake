# End-to-end cases: every folder under tests/e2e/ with an "args" file is one
# run of tornel, checked by run_case.cmake.  Under a cross build the cases
# run through the emulator (Wine) with a prefix of their own.
file(GLOB _tornel_e2e_cases LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/e2e/*)
foreach(case_dir ${_tornel_e2e_cases})
  if(IS_DIRECTORY ${case_dir} AND EXISTS ${case_dir}/args)
    get_filename_component(case ${case_dir} NAME)
    add_test(NAME e2e.${case}
      COMMAND ${CMAKE_COMMAND}
        -DTORNEL=$<TARGET_FILE:tornel>
        "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
        -DCASE=${case_dir}
        -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
        -DWORK=${CMAKE_BINARY_DIR}/e2e/${case}
        -P ${CMAKE_SOURCE_DIR}/tests/e2e/run_case.cmake)
    tornel_under_wine(e2e.${case})
  endif()
endforeach()
