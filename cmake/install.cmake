# What `cmake --install` puts under the prefix. POSIX: bin/zentrel, the manual page, the
# bash completion and share/doc/zentrel/ with README and licence. Windows: one flat folder
# with zentrel.exe and the same documents.
if(WIN32)
  set(ZENTREL_INSTALL_BINDIR .)
  set(ZENTREL_INSTALL_DOCDIR .)
else()
  include(GNUInstallDirs)
  set(ZENTREL_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(ZENTREL_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zentrel)
  configure_file(man/zentrel.1.in ${PROJECT_BINARY_DIR}/zentrel.1 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/zentrel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES completion/zentrel.bash RENAME zentrel
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
endif()
install(TARGETS zentrel RUNTIME DESTINATION ${ZENTREL_INSTALL_BINDIR})
install(FILES README.md LICENSE DESTINATION ${ZENTREL_INSTALL_DOCDIR})
