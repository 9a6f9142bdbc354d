# Tests of a cross build run under Wine, with a prefix of their own inside
# the build folder.  A setup test makes the prefix once, so that Wine's
# first-start messages never mix with what a test checks, and keeps one
# Wine server running for all tests (starting one per test costs seconds);
# a cleanup test stops it.  The tests of real windows (tests/wine_gui)
# make a prefix and a display of their own.
set(TORNEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# No display: the cases run as batch runs do, dialogs at the console.
set(TORNEL_WINE_ENV "WINEDEBUG=-all;WINEPREFIX=${TORNEL_WINEPREFIX};DISPLAY=")
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(TORNEL_WINESERVER NAMES wineserver PATHS /usr/lib/wine)
  add_test(NAME wine.start COMMAND sh -c
    "mkdir -p ${TORNEL_WINEPREFIX} && ${TORNEL_WINESERVER} -p >/dev/null 2>&1 && ${CMAKE_CROSSCOMPILING_EMULATOR} cmd.exe /c exit 0 >/dev/null 2>&1")
  add_test(NAME wine.stop COMMAND ${TORNEL_WINESERVER} -k)
  set_tests_properties(wine.start PROPERTIES ENVIRONMENT "${TORNEL_WINE_ENV}"
    FIXTURES_SETUP wineprefix)
  set_tests_properties(wine.stop PROPERTIES ENVIRONMENT "${TORNEL_WINE_ENV}"
    FIXTURES_CLEANUP wineprefix)
endif()

function(tornel_under_wine test)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${test} PROPERTIES
      ENVIRONMENT "${TORNEL_WINE_ENV}"
      FIXTURES_REQUIRED wineprefix)
  endif()
endfunction()
