# A group of tests that cannot run on this machine still shows in the test run: as a test
# of its own, named for what would bring it back, that CTest reports as skipped, and that
# fails where every test must run (CI=true).
#
#   tage_left_out(GROUP REASON)  in a CMakeLists.txt: registers the test "GROUP left out:
#                                REASON" and says so in one line at configure time.
#   cmake -DGROUP=... -DREASON=... -P left_out.cmake   is that test.
if(CMAKE_SCRIPT_MODE_FILE)
  if("$ENV{CI}" STREQUAL "true")
    message(FATAL_ERROR "${GROUP} cannot run here (${REASON}), and with CI=true every test must run")
  endif()
  message("skipped: ${GROUP} cannot run here: ${REASON}")
  return()
endif()

function(tage_left_out group reason)
  set(name "${group} left out: ${reason}")
  add_test(NAME "${name}"
    COMMAND ${CMAKE_COMMAND} "-DGROUP=${group}" "-DREASON=${reason}" -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
  set_tests_properties("${name}" PROPERTIES SKIP_REGULAR_EXPRESSION "skipped: ")
  message(STATUS "Left out: ${group} (${reason})")
endfunction()

# A test script that finds at run time that it cannot check what it is for says why on its
# first line and exits with this status, which CTest reports as skipped (CI=true makes it
# a failure: the scripts exit 1 instead).
set(TAGE_SKIPPED 77)
