# The manual pages and the bash completion of drovik-cli, installed where man
# and bash-completion look.
include(cmake/gzipped_files.cmake)
set(manual_pages doc/man/drovik-cli.1 doc/man/drovik-sim.1)
if(DROVIK_GUI)
  list(APPEND manual_pages doc/man/Drovik.1)
endif()
list(TRANSFORM manual_pages PREPEND ${PROJECT_SOURCE_DIR}/)
drovik_gzipped(manual_pages ${manual_pages})
install(FILES ${manual_pages_FILES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/drovik-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME drovik-cli)
