# The Windows resources of the desktop program (resources/Renamora.rc): manifest, version
# information, icons, glyphs and the end chime. Included from the top CMakeLists; does
# nothing on other systems.
if(WIN32)
  # At file scope: CMake refuses enable_language inside a function.
  enable_language(RC)
endif()

cmake_path(SET RENAMORA_RESOURCES_DIR NORMALIZE ${CMAKE_CURRENT_LIST_DIR}/../resources)
cmake_path(SET RENAMORA_RESOURCES_SRC_DIR NORMALIZE ${CMAKE_CURRENT_LIST_DIR}/../src)

# Adds Renamora.rc to a Windows executable. The .rc is compiled in an object library of
# its own, so that the target's C++ options (warnings, -std) never reach the resource
# compiler, which rejects them.
function(renamora_add_resources target)
  if(NOT WIN32)
    return()
  endif()
  set(rc ${RENAMORA_RESOURCES_DIR}/Renamora.rc)
  set(lib ${target}_resources)
  add_library(${lib} OBJECT ${rc})
  # src for ui/ControlIds.h; the resources folder for the files the .rc names.
  target_include_directories(${lib} PRIVATE ${RENAMORA_RESOURCES_SRC_DIR} ${RENAMORA_RESOURCES_DIR})
  # The version of project(Renamora VERSION ...); without one the .rc keeps its own.
  if(NOT "${Renamora_VERSION_PATCH}" STREQUAL "")
    target_compile_definitions(${lib} PRIVATE
      RENAMORA_VERSION_MAJOR=${Renamora_VERSION_MAJOR}
      RENAMORA_VERSION_MINOR=${Renamora_VERSION_MINOR}
      RENAMORA_VERSION_PATCH=${Renamora_VERSION_PATCH})
  endif()
  # No --codepage here: CMake passes only -D and -I options on to windres, and the
  # .rc's own "#pragma code_page(65001)" makes windres and rc.exe read it as UTF-8.
  # windres writes no dependency file, so name what the .rc pulls in: a changed glyph or
  # id then recompiles it.
  file(GLOB generated CONFIGURE_DEPENDS ${RENAMORA_RESOURCES_DIR}/generated/*)
  set_property(SOURCE ${rc} TARGET_DIRECTORY ${lib} PROPERTY OBJECT_DEPENDS
    ${generated} ${RENAMORA_RESOURCES_DIR}/Renamora.manifest
    ${RENAMORA_RESOURCES_SRC_DIR}/ui/ControlIds.h)
  target_link_libraries(${target} PRIVATE ${lib})
endfunction()
