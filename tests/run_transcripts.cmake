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
  file(READ "${DIRECTORY}/${name}.out" expected)
  if(LINE_END STREQUAL "CRLF")
    string(REPLACE "\n" "\r\n" expected "${expected}")
  endif()
  execute_process(
    COMMAND ${RUNNER} "${PROGRAM}"
    INPUT_FILE "${input}"
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status
    TIMEOUT 20)
  if(NOT status STREQUAL "0")
    message(SEND_ERROR "${name}: exit status ${status}\n${errors}")
    math(EXPR failures "${failures} + 1")
  elseif(NOT actual STREQUAL expected)
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual" "${actual}")
    message(SEND_ERROR "${name}: output differs; got ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "${name}: ok")
  endif()
endforeach()
message(STATUS "${count} transcripts, ${failures} failed")
