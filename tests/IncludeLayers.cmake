# Holds the files of one source folder to the folder's layers: a file includes the folder's own
# headers only from its layer and the layers below it. Run as a test by the folder's
# CMakeLists.txt, which defines the layers:
#
#   cmake -DSOURCE_DIR=<checkout> -DFOLDER=app/reading -DLAYERS=<layers> -P IncludeLayers.cmake
#
# LAYERS lists the layers bottom up, separated by "|", each "name: Entry Entry ...". An entry is a
# file name ("BibleView.h": that file alone) or a name without extension ("OpenPages": its header
# and its source). Every file of the folder must be in a layer, and every entry must name a file,
# so that the table stays the folder's true order.

cmake_minimum_required(VERSION 3.25)

set(folder_dir "${SOURCE_DIR}/${FOLDER}")
string(REPLACE "|" ";" layers "${LAYERS}")
set(errors "")

set(rank 0)
foreach(layer IN LISTS layers)
  string(REGEX MATCH "^[^:]*" name "${layer}")
  string(STRIP "${name}" name)
  string(REGEX REPLACE "^[^:]*:" "" entries "${layer}")
  separate_arguments(entries UNIX_COMMAND "${entries}")
  set(layer_name_${rank} "${name}")
  foreach(entry IN LISTS entries)
    if(DEFINED layer_of_${entry})
      string(APPEND errors "  ${entry} stands in two layers\n")
    endif()
    set(layer_of_${entry} ${rank})
    list(APPEND all_entries "${entry}")
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

# The layer of a file: its own entry, else its name's without extension; -1 for none.
function(layer_of file result)
  get_filename_component(stem "${file}" NAME_WE)
  if(DEFINED layer_of_${file})
    set(${result} ${layer_of_${file}} PARENT_SCOPE)
  elseif(DEFINED layer_of_${stem})
    set(${result} ${layer_of_${stem}} PARENT_SCOPE)
  else()
    set(${result} -1 PARENT_SCOPE)
  endif()
endfunction()

file(GLOB files RELATIVE "${folder_dir}" "${folder_dir}/*.h" "${folder_dir}/*.cpp")
list(SORT files)
set(stems "")
foreach(file IN LISTS files)
  get_filename_component(stem "${file}" NAME_WE)
  list(APPEND stems "${stem}")
  layer_of("${file}" file_layer)
  if(file_layer EQUAL -1)
    string(APPEND errors "  ${FOLDER}/${file} is in no layer: give it one in ${FOLDER}/CMakeLists.txt\n")
    continue()
  endif()
  file(STRINGS "${folder_dir}/${file}" include_lines REGEX "^#include \"${FOLDER}/[^\"]+\"")
  foreach(line IN LISTS include_lines)
    string(REGEX REPLACE "^#include \"${FOLDER}/([^\"]+)\".*" "\\1" header "${line}")
    layer_of("${header}" header_layer)
    if(header_layer GREATER file_layer)
      string(APPEND errors "  ${FOLDER}/${file} (${layer_name_${file_layer}}) includes ${header} "
                           "(${layer_name_${header_layer}}), a layer above it\n")
    endif()
  endforeach()
endforeach()

foreach(entry IN LISTS all_entries)
  if(NOT entry IN_LIST files AND NOT entry IN_LIST stems)
    string(APPEND errors "  the layer entry ${entry} names no file of ${FOLDER}\n")
  endif()
endforeach()

if(errors)
  message(FATAL_ERROR "The includes of ${FOLDER} do not follow its layers:\n${errors}")
endif()
list(LENGTH files count)
message(STATUS "${count} files of ${FOLDER} include only their own layer and those below it")
