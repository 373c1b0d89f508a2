# Reads the table of targets, packaging/targets.txt (its columns are described there).
#
#   tage_target(NAME PREFIX)  sets PREFIX_TRIPLET, PREFIX_PROCESSOR, PREFIX_RUNNER,
#                             PREFIX_MACHINE, PREFIX_STATIC and PREFIX_PACKAGE for the
#                             target NAME in the caller's scope; PREFIX_FOUND says whether
#                             the table has it. PREFIX_NAMES lists every target.
#   tage_emulator(NAME OUT)   sets OUT to the command that runs a dynamic program of the
#                             other Linux target NAME here: its qemu-user program with the
#                             dynamic loader and the libraries of the cross sysroot
#                             /usr/TRIPLET, the C library first from there too (a loader
#                             and a C library of different builds do not work together).
#
# Run as a script, it prints that command for the scripts of packaging/:
#
#   cmake -DEMULATOR_OF=NAME -P cmake/targets.cmake
function(tage_target name prefix)
  file(STRINGS "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../packaging/targets.txt" rows
       REGEX "^[^# ]")
  set(names "")
  set(found FALSE)
  foreach(row IN LISTS rows)
    string(REGEX MATCH "^([^ ]+) +([^ ]+) +([^ ]+) +([^ ]+) +([^ ]+) +([^ ]+) +([^ ]+)" _ "${row}")
    list(APPEND names "${CMAKE_MATCH_1}")
    if(CMAKE_MATCH_1 STREQUAL name)
      set(found TRUE)
      set(${prefix}_TRIPLET "${CMAKE_MATCH_2}" PARENT_SCOPE)
      set(${prefix}_PROCESSOR "${CMAKE_MATCH_3}" PARENT_SCOPE)
      set(${prefix}_RUNNER "${CMAKE_MATCH_4}" PARENT_SCOPE)
      set(${prefix}_MACHINE "${CMAKE_MATCH_5}" PARENT_SCOPE)
      set(${prefix}_STATIC "${CMAKE_MATCH_6}" PARENT_SCOPE)
      set(${prefix}_PACKAGE "${CMAKE_MATCH_7}" PARENT_SCOPE)
    endif()
  endforeach()
  set(${prefix}_FOUND ${found} PARENT_SCOPE)
  set(${prefix}_NAMES "${names}" PARENT_SCOPE)
endfunction()

function(tage_emulator name out)
  tage_target("${name}" target)
  set(${out} ${target_RUNNER} -L /usr/${target_TRIPLET} -E LD_LIBRARY_PATH=/usr/${target_TRIPLET}/lib
      PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND DEFINED EMULATOR_OF)
  tage_emulator("${EMULATOR_OF}" emulator)
  list(JOIN emulator " " emulator)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${emulator}")
endif()
