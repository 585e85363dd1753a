# The layers, held by their includes: each folder of the program includes
# only from its own layer and from those below it,
#   store <- engine <- ui <- app,   tools -> engine, store,
# where the toolkit cores ui/qt and ui/win32 sit on ui but not on each other.
# No layer includes from tests/ or bench/.
#
# cmake -DSOURCE_DIR=<the source tree> -P layers_test.cmake: fails, naming
# every include that points the wrong way and the file that holds it.

cmake_minimum_required(VERSION 3.25)

# A path's layer is the first of these that it lies in (ui/icons is ui's).
set(layers store engine ui/qt ui/win32 ui app tools tests bench)
set(allowed_store store)
set(allowed_engine store engine)
set(allowed_ui store engine ui)
set(allowed_ui/qt store engine ui ui/qt)
set(allowed_ui/win32 store engine ui ui/win32)
set(allowed_app store engine ui ui/qt ui/win32 app)
set(allowed_tools store engine tools)

function(layer_of path result)
  foreach(layer IN LISTS layers)
    if(path MATCHES "^${layer}/")
      set(${result} ${layer} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} "" PARENT_SCOPE)
endfunction()

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "layers_test.cmake: no SOURCE_DIR given")
endif()
set(globs "")
foreach(folder store engine ui app tools)
  list(APPEND globs ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp
    ${SOURCE_DIR}/${folder}/*.in)
endforeach()
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${globs})

set(faults "")
set(checked 0)
foreach(file IN LISTS files)
  layer_of(${file} from)
  set(allowed ${allowed_${from}})
  list(JOIN allowed ", " allowed_text)
  get_filename_component(folder ${file} DIRECTORY)
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" named "${line}")
    # Named from beside the file when it is there (a relative path, .. too),
    # otherwise from the source tree's root.
    if(EXISTS ${SOURCE_DIR}/${folder}/${named})
      get_filename_component(target ${SOURCE_DIR}/${folder}/${named} ABSOLUTE)
      file(RELATIVE_PATH target ${SOURCE_DIR} ${target})
    else()
      set(target ${named})
    endif()
    layer_of(${target} to)
    if(to STREQUAL "")  # the system's, a library's or a generated header
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    if(NOT to IN_LIST allowed)
      list(APPEND faults "${file} includes ${named}, of ${to}/, where it may include from ${allowed_text} only")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" faults)
  message(FATAL_ERROR "Includes against the layers:\n${faults}")
endif()
message(STATUS "${checked} includes in ${SOURCE_DIR} keep the layers")
