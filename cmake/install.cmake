# What `cmake --install` puts under the prefix. POSIX: bin/zentrel, the manual page and
# the changelog (both gzip -9n), the bash, zsh and fish completions, share/doc/zentrel/
# with README, the Debian copyright file and the changelog, and lintian's override of the
# static link. Windows: one flat folder with zentrel.exe, README.txt and LICENSE.txt, both
# with CR LF line ends.
if(WIN32)
  set(windows_docs ${PROJECT_BINARY_DIR}/windows-docs)
  add_custom_command(
    OUTPUT ${windows_docs}/README.txt ${windows_docs}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DOUTPUT=${windows_docs}
            -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/windows_docs.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/cmake/windows_docs.cmake ${PROJECT_SOURCE_DIR}/README.md
            ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/man/README.txt.in
    VERBATIM)
  add_custom_target(windows_docs ALL DEPENDS ${windows_docs}/README.txt ${windows_docs}/LICENSE.txt)
  install(TARGETS zentrel RUNTIME DESTINATION .)
  install(FILES ${windows_docs}/README.txt ${windows_docs}/LICENSE.txt DESTINATION .)
else()
  include(GNUInstallDirs)
  set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/zentrel)
  configure_file(man/zentrel.1.in ${PROJECT_BINARY_DIR}/zentrel.1 @ONLY)
  configure_file(cmake/debian/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
  # gzip -n leaves out the name and time, so the packages are the same from build to build.
  foreach(document zentrel.1 changelog)
    add_custom_command(
      OUTPUT ${PROJECT_BINARY_DIR}/${document}.gz
      COMMAND gzip -9n -c ${PROJECT_BINARY_DIR}/${document} > ${PROJECT_BINARY_DIR}/${document}.gz
      DEPENDS ${PROJECT_BINARY_DIR}/${document})
  endforeach()
  add_custom_target(compressed_documents ALL
                    DEPENDS ${PROJECT_BINARY_DIR}/zentrel.1.gz ${PROJECT_BINARY_DIR}/changelog.gz)
  install(TARGETS zentrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/zentrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/completion/zentrel.bash RENAME zentrel
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
  install(FILES ${PROJECT_BINARY_DIR}/completion/_zentrel
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/zsh/vendor-completions)
  install(FILES ${PROJECT_BINARY_DIR}/completion/zentrel.fish
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/fish/vendor_completions.d)
  install(FILES README.md cmake/debian/copyright ${PROJECT_BINARY_DIR}/changelog.gz
          DESTINATION ${docdir})
  install(FILES cmake/debian/lintian-overrides RENAME zentrel
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides)
endif()
