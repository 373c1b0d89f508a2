# Runs PROGRAM (through RUNNER, if set) with INPUT as its standard input and compares the
# whole standard output with EXPECTED byte for byte; LINE_END=CRLF expects every line feed
# of EXPECTED as CR LF. The run must exit 0. Where the output differs, prints a unified
# diff (through DIFF, if set) of expected against actual output, each carriage return
# shown as "\r" so that a missing or doubled one is seen.
cmake_minimum_required(VERSION 3.25)

get_filename_component(name "${INPUT}" NAME_WE)
set(expected_file "${EXPECTED}")
if(LINE_END STREQUAL "CRLF")
  file(READ "${EXPECTED}" expected)
  string(REPLACE "\n" "\r\n" expected "${expected}")
  set(expected_file "${WORK_DIR}/${name}.expected")
  file(WRITE "${expected_file}" "${expected}")
endif()
set(actual_file "${WORK_DIR}/${name}.actual")
execute_process(
  COMMAND ${RUNNER} "${PROGRAM}"
  INPUT_FILE "${INPUT}"
  OUTPUT_FILE "${actual_file}"
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT 20)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${name}: exit status ${status}\n${errors}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E compare_files "${expected_file}" "${actual_file}"
  RESULT_VARIABLE differs)
if(differs STREQUAL "0")
  file(REMOVE "${actual_file}")
  return()
endif()

# Copies of both with every carriage return written out, for the diff.
foreach(side expected actual)
  file(READ "${${side}_file}" text)
  string(REPLACE "\r" "\\r" text "${text}")
  file(WRITE "${WORK_DIR}/${name}.${side}.visible" "${text}")
endforeach()
if(DIFF)
  execute_process(
    COMMAND "${DIFF}" -u --label "${name}.out (expected)" --label "output of tage"
            "${WORK_DIR}/${name}.expected.visible" "${WORK_DIR}/${name}.actual.visible"
    OUTPUT_VARIABLE difference)
else()
  file(READ "${WORK_DIR}/${name}.expected.visible" expected)
  file(READ "${WORK_DIR}/${name}.actual.visible" actual)
  set(difference "expected:\n${expected}\nactual:\n${actual}")
endif()
# Printed as it stands: an error message would be re-wrapped and indented.
message(NOTICE "${difference}")
message(FATAL_ERROR "${name}: the output differs from ${name}.out (diff above)")
