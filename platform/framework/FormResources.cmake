set(TARNWICK_EMBED_FORM_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedForm.cmake CACHE INTERNAL "")

# tarnwick_form_resources(<target> <file.form>...) compiles form resources into target; each
# registers under its file name without extension.
function(tarnwick_form_resources target)
  foreach(file ${ARGN})
    get_filename_component(abs ${file} ABSOLUTE)
    get_filename_component(stem ${file} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/form_resources/${target}/${stem}.form.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${abs} -DOUTPUT=${out} -DNAME=${stem} -P ${TARNWICK_EMBED_FORM_SCRIPT}
      DEPENDS ${abs} ${TARNWICK_EMBED_FORM_SCRIPT}
      COMMENT "Embedding form resource ${stem}"
      VERBATIM)
    target_sources(${target} PRIVATE ${out})
  endforeach()
endfunction()
