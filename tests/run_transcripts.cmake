# Runs PROGRAM (through RUNNER, if set) once per NAME.in in DIRECTORY with that file as
# standard input, and compares the whole standard output with NAME.out byte for byte.
# LINE_END=CRLF expects every line feed of NAME.out as CR LF. Every run must exit 0.
cmake_minimum_required(VERSION 3.25)

file(GLOB inputs "${DIRECTORY}/*.in")
list(SORT inputs)
list(LENGTH inputs count)
if(count EQUAL 0)
  message(FATAL_ERROR "no transcripts in ${DIRECTORY}")
endif()

set(failures 0)
foreach(input IN LISTS inputs)
  get_filename_component(name "${input}" NAME_WE)
  # Compared as files, byte for byte: file(READ) would drop carriage returns.
  set(expected_file "${DIRECTORY}/${name}.out")
  if(LINE_END STREQUAL "CRLF")
    file(READ "${expected_file}" expected)
    string(REPLACE "\n" "\r\n" expected "${expected}")
    set(expected_file "${CMAKE_CURRENT_BINARY_DIR}/${name}.expected")
    file(WRITE "${expected_file}" "${expected}")
  endif()
  set(actual_file "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")
  execute_process(
    COMMAND ${RUNNER} "${PROGRAM}"
    INPUT_FILE "${input}"
    OUTPUT_FILE "${actual_file}"
    ERROR_VARIABLE errors
    RESULT_VARIABLE status
    TIMEOUT 20)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files "${expected_file}" "${actual_file}"
    RESULT_VARIABLE differs)
  if(NOT status STREQUAL "0")
    message(SEND_ERROR "${name}: exit status ${status}\n${errors}")
    math(EXPR failures "${failures} + 1")
  elseif(NOT differs STREQUAL "0")
    message(SEND_ERROR "${name}: output differs; got ${actual_file}")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "${name}: ok")
    file(REMOVE "${actual_file}")
  endif()
endforeach()
message(STATUS "${count} transcripts, ${failures} failed")
