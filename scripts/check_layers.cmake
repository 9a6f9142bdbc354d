# Checks that the source folders keep their layers: every #include of a
# library source (not a unit test) names its own folder or one below it.
#
#   cmake -P scripts/check_layers.cmake      (from the top of the tree)
#
# The layers, lowest first.  platform/ is the floor under everything;
# tornel/base includes nothing above it; a companion program under tools/
# uses only platform/ and tornel/base.  Unit tests (*_test.cc) and the test
# harness in tests/ belong to the test program, which links every layer,
# and are not checked.
set(layers
  platform
  tornel/base
  tornel/kinematics
  tornel/compiler
  tornel/sysvars
  tornel/interp
  tornel/dialogs
  tornel/output
  tornel/cl
  tornel/builtins
  tornel/driver
  tornel/dev)

file(GLOB_RECURSE sources RELATIVE "${CMAKE_CURRENT_LIST_DIR}/.."
     "${CMAKE_CURRENT_LIST_DIR}/../platform/*"
     "${CMAKE_CURRENT_LIST_DIR}/../tornel/*"
     "${CMAKE_CURRENT_LIST_DIR}/../tools/*")
set(top "${CMAKE_CURRENT_LIST_DIR}/..")

# The layer of a path: its index in `layers`, a tool's own name, or none.
function(layer_of path out_index out_tool)
  set(${out_tool} "" PARENT_SCOPE)
  set(${out_index} -1 PARENT_SCOPE)
  if(path MATCHES "^tools/([^/]+)/")
    set(${out_tool} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    return()
  endif()
  set(i 0)
  foreach(layer IN LISTS layers)
    string(LENGTH "${layer}/" n)
    string(SUBSTRING "${path}" 0 ${n} head)
    if(head STREQUAL "${layer}/")
      set(${out_index} ${i} PARENT_SCOPE)
      return()
    endif()
    math(EXPR i "${i} + 1")
  endforeach()
endfunction()

list(FIND layers tornel/base base_index)
set(bad 0)
set(checked 0)
foreach(source IN LISTS sources)
  if(NOT source MATCHES "\\.(cc|h|def)$" OR source MATCHES "_test\\.cc$")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  layer_of("${source}" own own_tool)
  file(STRINGS "${top}/${source}" includes REGEX "^#include \"[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    layer_of("${target}" to to_tool)
    if(target MATCHES "^tests/")
      set(ok FALSE)
    elseif(NOT own_tool STREQUAL "")
      # A tool: its own folder, platform/ and the ground floor only.
      set(ok FALSE)
      if(to_tool STREQUAL own_tool OR (to GREATER_EQUAL 0 AND to LESS_EQUAL base_index))
        set(ok TRUE)
      endif()
    elseif(NOT to_tool STREQUAL "")
      set(ok FALSE)
    elseif(to LESS 0)
      set(ok TRUE)  # not a folder of the tree (a system header in quotes)
    else()
      set(ok FALSE)
      if(to LESS_EQUAL own)
        set(ok TRUE)
      endif()
    endif()
    if(NOT ok)
      message("${source}: includes ${target} from a layer above it")
      math(EXPR bad "${bad} + 1")
    endif()
  endforeach()
endforeach()

if(bad GREATER 0)
  message(FATAL_ERROR "layers: ${bad} include(s) against the order")
endif()
message("layers: ${checked} sources, every include goes down")
