# Fails when an #include in src/ crosses a layer the wrong way. Run as
#   cmake -DRENAMORA_SRC=<repo>/src -P cmake/CheckLayers.cmake
# Layers, lowest first: base < platform < core < app < (cli, ui, shell). A file may
# include its own layer and the layers beneath it; the linker alone would not catch
# a header-only include going upwards, and such an include is how a cycle starts.
# Backend headers (platform/win32, platform/posix) are for their own backend and the
# programs on top (cli, ui, shell), never for the portable layers. base includes
# only itself and the standard library.
cmake_minimum_required(VERSION 3.25)

if(NOT RENAMORA_SRC)
  get_filename_component(RENAMORA_SRC "${CMAKE_CURRENT_LIST_DIR}/../src" ABSOLUTE)
endif()
if(NOT IS_DIRECTORY "${RENAMORA_SRC}/base")
  message(FATAL_ERROR "CheckLayers: ${RENAMORA_SRC} is not the source folder (no base/ in it)")
endif()

set(rank_base 0)
set(rank_platform 1)
set(rank_core 2)
set(rank_app 3)
set(rank_cli 4)
set(rank_ui 4)
set(rank_shell 4)
set(kLayers base platform core app cli ui shell)

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${RENAMORA_SRC}"
     "${RENAMORA_SRC}/*.h" "${RENAMORA_SRC}/*.hpp" "${RENAMORA_SRC}/*.cpp" "${RENAMORA_SRC}/*.cc"
     "${RENAMORA_SRC}/*.inc" "${RENAMORA_SRC}/*.rc")
list(SORT files)

set(errors "")
set(checked 0)
foreach(rel IN LISTS files)
  string(REGEX MATCH "^[^/]+" layer "${rel}")
  if(NOT DEFINED rank_${layer})
    string(APPEND errors "src/${rel}: lies in src/${layer}/, which is not a layer (${kLayers})\n")
    continue()
  endif()
  set(allowed "")
  foreach(other IN LISTS kLayers)
    if(other STREQUAL layer OR rank_${other} LESS rank_${layer})
      list(APPEND allowed ${other})
    endif()
  endforeach()
  string(JOIN ", " allowedText ${allowed})

  file(READ "${RENAMORA_SRC}/${rel}" content)
  # One list element per line: characters that CMake's lists treat specially are
  # masked first, so that the element number is the line number.
  string(REPLACE "\\" "/" content "${content}")
  string(REPLACE ";" ":" content "${content}")
  string(REPLACE "[" "(" content "${content}")
  string(REPLACE "]" ")" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(lineNo 0)
  foreach(line IN LISTS lines)
    math(EXPR lineNo "${lineNo} + 1")
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
      set(target "${CMAKE_MATCH_1}")
      math(EXPR checked "${checked} + 1")
      set(where "src/${rel}:${lineNo}: #include \"${target}\"")
      if(target MATCHES "^\\.\\./" OR target MATCHES "/\\.\\./")
        string(APPEND errors "${where}: a path that climbs out of its folder hides its layer; "
                             "name the layer folder (e.g. \"core/...\")\n")
      elseif(target MATCHES "^([^/]+)/")
        set(to "${CMAKE_MATCH_1}")
        if(NOT DEFINED rank_${to})
          string(APPEND errors "${where}: ${to}/ is not a layer of src/ (${kLayers})\n")
        elseif(NOT to IN_LIST allowed)
          string(APPEND errors "${where}: ${layer} may include only ${allowedText}; "
                               "${to} is above it\n")
        elseif(target MATCHES "^platform/(win32|posix)/")
          set(backend "${CMAKE_MATCH_1}")
          if(NOT rel MATCHES "^platform/${backend}/" AND rank_${layer} LESS 4)
            string(APPEND errors "${where}: a ${backend} backend header, for src/platform/${backend} "
                                 "and the programs (cli, ui, shell) only; ${layer} uses the "
                                 "platform interfaces\n")
          endif()
        endif()
      endif()
    elseif(layer STREQUAL "base" AND line MATCHES "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>")
      # The standard library's headers have no extension; <windows.h>, <unistd.h>
      # and the like belong in a platform backend.
      set(target "${CMAKE_MATCH_1}")
      math(EXPR checked "${checked} + 1")
      if(target MATCHES "[./]")
        string(APPEND errors "src/${rel}:${lineNo}: #include <${target}>: base includes only "
                             "itself and the C++ standard library\n")
      endif()
    endif()
  endforeach()
endforeach()

list(LENGTH files fileCount)
if(errors)
  # NOTICE prints the lines as they are (file:line first, unwrapped) on stderr.
  message(NOTICE "${errors}")
  message(FATAL_ERROR "Includes above cross a layer the wrong way "
                      "(base < platform < core < app < cli, ui, shell)")
endif()
if(checked EQUAL 0)
  message(FATAL_ERROR "CheckLayers: found no #include in ${fileCount} files of ${RENAMORA_SRC}")
endif()
message(STATUS "Layers kept: ${checked} includes in ${fileCount} files of src/")
