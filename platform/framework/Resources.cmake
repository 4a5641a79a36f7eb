set(TARNWICK_EMBED_RESOURCE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResource.cmake CACHE INTERNAL "")

# tarnwick_embed_resources(<target> <kind> <file>...) compiles each file into target, registered for
# the library that target is (or is linked into) under its file name without extension; kind is
# "form" or "bitmap".
function(tarnwick_embed_resources target kind)
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
    target_sources(${target} PRIVATE ${out})
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
