set(TARNWICK_EMBED_RESOURCE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResource.cmake CACHE INTERNAL "")

# tarnwick_embed_resources(<target> <kind> <file>...) compiles each file into target, registered for
# the library that target is (or is linked into) under its file name without extension; kind is
# "form" or "bitmap". Nothing refers to an embedded resource, so the resources go into an archive of
# their own that is linked whole wherever target is linked; there is one such archive per target
# and calling folder, since a generated source can only be built by a target of its own folder.
function(tarnwick_embed_resources target kind)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(MAKE_C_IDENTIFIER "${target}_resources_${folder}" holder)
  if(NOT TARGET ${holder})
    add_library(${holder} STATIC)
    target_link_libraries(${holder} PRIVATE tarnwick_platform)
    target_link_libraries(${target} PUBLIC "$<LINK_LIBRARY:WHOLE_ARCHIVE,${holder}>")
  endif()
  foreach(file ${ARGN})
    get_filename_component(abs ${file} ABSOLUTE)
    get_filename_component(stem ${file} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${kind}_resources/${target}/${stem}.${kind}.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${abs} -DOUTPUT=${out} -DNAME=${stem} -DKIND=${kind}
              -P ${TARNWICK_EMBED_RESOURCE_SCRIPT}
      DEPENDS ${abs} ${TARNWICK_EMBED_RESOURCE_SCRIPT}
      COMMENT "Embedding ${kind} resource ${stem}"
      VERBATIM)
    target_sources(${holder} PRIVATE ${out})
  endforeach()
endfunction()

# tarnwick_form_resources(<target> <file.form>...): form resources (FormResources.h).
function(tarnwick_form_resources target)
  tarnwick_embed_resources(${target} form ${ARGN})
endfunction()

# tarnwick_bitmap_resources(<target> <file>...): bitmap resources (BitmapResources.h), each a PNG
# image or picture text (PixelText.h).
function(tarnwick_bitmap_resources target)
  tarnwick_embed_resources(${target} bitmap ${ARGN})
endfunction()
