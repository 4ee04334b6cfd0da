# vd_embed_resources(target RESOURCES <type> <name> <file> [...]): carries the files inside
# target; at run time FindResource(type, name) (platform/rtl/Resources.h) returns their bytes.
# The generated registration goes straight into an executable; for a library it travels as
# object files to every program that links it, so the linker can never drop it.
function(vd_embed_resources target)
  cmake_parse_arguments(A "" "" "RESOURCES" ${ARGN})
  list(LENGTH A_RESOURCES count)
  math(EXPR rest "${count} % 3")
  if(count EQUAL 0 OR NOT rest EQUAL 0)
    message(FATAL_ERROR "vd_embed_resources(${target}): RESOURCES takes triples of type, name and file")
  endif()
  get_property(serial TARGET ${target} PROPERTY VD_EMBED_SERIAL)
  if(NOT serial)
    set(serial 0)
  endif()
  math(EXPR next "${serial} + 1")
  set_property(TARGET ${target} PROPERTY VD_EMBED_SERIAL ${next})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources_${serial}.cpp)

  set(args)
  set(files)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR j "${i} + 1")
    math(EXPR k "${i} + 2")
    list(GET A_RESOURCES ${i} type)
    list(GET A_RESOURCES ${j} name)
    list(GET A_RESOURCES ${k} file)
    get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND args ${type} ${name} ${file})
    list(APPEND files ${file})
  endforeach()

  add_custom_command(OUTPUT ${out}
    COMMAND vd_embed ${out} ${args}
    DEPENDS vd_embed ${files}
    COMMENT "Embedding the resources of ${target}"
    VERBATIM)

  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "EXECUTABLE")
    target_sources(${target} PRIVATE ${out})
  else()
    set(objects ${target}_resources_${serial})
    add_library(${objects} OBJECT ${out})
    target_sources(${target} INTERFACE $<TARGET_OBJECTS:${objects}>)
  endif()
endfunction()
