# A group of tests that cannot run on this machine still shows in the test run: as a test
# of its own, named for what would bring it back, that says why and ends with status 77,
# which CTest reports as skipped, and that fails where every test must run (CI=true). The
# test scripts that find at run time that they cannot check what they are for end the
# same way (tests/system/skipping.sh): one mechanism for every skip.
#
#   tage_left_out(GROUP REASON)  in a CMakeLists.txt: registers the test "GROUP left out:
#                                REASON" and says so in one line at configure time.
set(TAGE_SKIPPED 77)
set(TAGE_SKIP_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/system/skipping.sh)

function(tage_left_out group reason)
  set(name "${group} left out: ${reason}")
  add_test(NAME "${name}" COMMAND bash ${TAGE_SKIP_SCRIPT} "${group} cannot run here: ${reason}")
  set_tests_properties("${name}" PROPERTIES SKIP_RETURN_CODE ${TAGE_SKIPPED})
  message(STATUS "Left out: ${group} (${reason})")
endfunction()
