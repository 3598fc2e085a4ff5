# Holds the product code to its layers: every #include "..." of a source file
# must point to a room of the same layer's room itself or of a lower layer.
#   cmake -DSOURCE=<source dir> -P check_layers.cmake
# A room is a top folder, or app/<folder>; platform/ and its rooms are one
# layer. Test code (*_test.cpp, tests/, bench/, testing/) may include
# anything; nothing else may include testing/.

# The layers from the ground up; rooms of one layer do not include each other.
set(layers
  "platform"
  "text"
  "object"
  "path"
  "ftp;log;winui"
  "app/engine;app/res"
  "app"
  "app/dialog;app/cli"
  ".")

function(room_of path out)
  string(REGEX MATCH "^[^/]+" top "${path}")
  if(NOT path MATCHES "/")
    set(top ".")
  elseif(top STREQUAL "app" AND path MATCHES "^app/[^/]+/")
    string(REGEX MATCH "^app/[^/]+" top "${path}")
  endif()
  set(${out} "${top}" PARENT_SCOPE)
endfunction()

function(layer_of room out)
  set(rank 0)
  foreach(layer IN LISTS layers)
    string(REPLACE ";" "|" members "${layer}")
    string(REPLACE "." "\\." members "${members}")
    if(room MATCHES "^(${members})$")
      set(${out} ${rank} PARENT_SCOPE)
      return()
    endif()
    math(EXPR rank "${rank} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

# The rooms' folders (not build trees inside the source folder).
set(sources "")
foreach(top app ftp log object path platform text winui)
  file(GLOB_RECURSE found RELATIVE "${SOURCE}" "${SOURCE}/${top}/*.h" "${SOURCE}/${top}/*.cpp" "${SOURCE}/${top}/*.inl")
  list(APPEND sources ${found})
endforeach()
file(GLOB found RELATIVE "${SOURCE}" "${SOURCE}/*.h")
list(APPEND sources ${found})
set(faults "")
foreach(file IN LISTS sources)
  if(file MATCHES "_test\\.cpp$")
    continue()
  endif()
  room_of("${file}" from)
  layer_of("${from}" fromLayer)
  if(fromLayer EQUAL -1)
    string(APPEND faults "${file}: the room ${from} has no layer\n")
    continue()
  endif()
  file(STRINGS "${SOURCE}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" target "${line}")
    room_of("${target}" to)
    if(to STREQUAL "testing")
      string(APPEND faults "${file}: includes test support ${target}\n")
      continue()
    endif()
    if(to STREQUAL from OR NOT EXISTS "${SOURCE}/${target}")
      continue()  # its own room, or a header beside it named without a path
    endif()
    layer_of("${to}" toLayer)
    if(NOT toLayer LESS fromLayer)
      string(APPEND faults "${file}: ${from} may not include ${target} (${to} is not below it)\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes against the layers:\n${faults}")
endif()
