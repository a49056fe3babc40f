# drovik_gzipped(TARGET SOURCE...): TARGET, built with everything, packs each
# SOURCE into the build folder as gzip -9n does (no name or time stamp, so the
# same file packs the same bytes), as man and Debian's documentation expect.
# The packed paths go to TARGET_FILES.
function(drovik_gzipped target)
  set(packed)
  foreach(source ${ARGN})
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_BINARY_DIR}/gzipped/${target}/${name})
    add_custom_command(OUTPUT ${copy}.gz
                       COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                       COMMAND gzip -9nf ${copy}
                       DEPENDS ${source} VERBATIM)
    list(APPEND packed ${copy}.gz)
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${packed})
  set(${target}_FILES ${packed} PARENT_SCOPE)
endfunction()
