# Fails when an include points up. The program's code depends one way only:
#
#   dialogue/  ->  counting/  ->  calendar/
#
# so calendar/ includes nothing of the other two and counting/ nothing of dialogue/. Tests
# obey the same rule by their names: a file under tests/ whose name starts with
# "calendar" or "counting" (counting_test.cpp, support/counting_events.hpp) belongs to
# that layer and may include nothing above it; other tests, like dialogue/, may include
# every layer.
#
#   cmake -DSOURCE_DIR=... [-DSTAMP=file] -P check_layering.cmake
cmake_minimum_required(VERSION 3.25)

set(layers calendar counting dialogue)  # from the bottom up

# The layer of a file, by its folder or, under tests/ and bench/, by its name.
function(layer_of_file path result)
  foreach(layer calendar counting dialogue)
    if(path MATCHES "^${layer}/")
      set(${result} ${layer} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  get_filename_component(name "${path}" NAME)
  foreach(layer calendar counting)
    if(name MATCHES "^${layer}")
      set(${result} ${layer} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} dialogue PARENT_SCOPE)
endfunction()

# The layer an include names, or "" for an include of the same folder.
function(layer_of_include included result)
  if(included MATCHES "^(calendar|counting|dialogue)/")
    set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
  elseif(included MATCHES "^support/")
    layer_of_file("tests/${included}" layer)
    set(${result} ${layer} PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/calendar/*" "${SOURCE_DIR}/counting/*" "${SOURCE_DIR}/dialogue/*"
     "${SOURCE_DIR}/tests/*.hpp" "${SOURCE_DIR}/tests/*.cpp" "${SOURCE_DIR}/bench/*.cpp")
set(found "")
foreach(file IN LISTS files)
  layer_of_file("${file}" layer)
  list(FIND layers ${layer} rank)
  file(STRINGS "${SOURCE_DIR}/${file}" lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(included "${CMAKE_MATCH_1}")
      layer_of_include("${included}" included_layer)
      if(included_layer)
        list(FIND layers ${included_layer} included_rank)
        if(included_rank GREATER rank)
          string(APPEND found "${file}:${number}: includes ${included}, but ${layer}/ may not "
                 "use ${included_layer}/ (dependencies point one way: dialogue/ -> counting/ -> "
                 "calendar/)\n")
        endif()
      endif()
    endif()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Includes that point up:\n${found}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
