# End-to-end cases: every folder under tests/e2e/ with an "args" file is one
# run of tornel, checked by "tornel-dev test --case" (the case format is in
# tornel/dev/test_case.h), which runs tornel as a child process.  Under a
# cross build tornel-dev runs through the emulator (Wine), with a prefix of
# its own, and starts tornel.exe there.
file(GLOB _tornel_e2e_cases LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/e2e/*)
foreach(case_dir ${_tornel_e2e_cases})
  if(IS_DIRECTORY ${case_dir} AND EXISTS ${case_dir}/args)
    get_filename_component(case ${case_dir} NAME)
    add_test(NAME e2e.${case}
      COMMAND tornel-dev test --case ${case_dir}
        --tornel $<TARGET_FILE:tornel>
        --sources ${CMAKE_SOURCE_DIR}
        --work ${CMAKE_BINARY_DIR}/e2e/${case})
    tornel_under_wine(e2e.${case})
  endif()
endforeach()
