# Reads the table of targets, packaging/targets.txt (its columns are described there).
#
#   tage_target(NAME PREFIX)  sets PREFIX_TRIPLET, PREFIX_PROCESSOR, PREFIX_RUNNER,
#                             PREFIX_MACHINE, PREFIX_STATIC and PREFIX_PACKAGE for the
#                             target NAME in the caller's scope; PREFIX_FOUND says whether
#                             the table has it. PREFIX_NAMES lists every target.
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
