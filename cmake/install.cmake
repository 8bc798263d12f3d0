# What `cmake --install` puts under its prefix and what cpack packs.
# On Linux (Debian package): bin/vantrel-pack; share/vantrel/vantrel.exe,
# the installer program that vantrel-pack copies by default and finds as
# ../share/vantrel from its own folder; the manual page, the bash
# completion and the guide. On Windows (zip): vantrel.exe, vantrel-pack.exe
# and the guide side by side, where vantrel-pack.exe finds vantrel.exe.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_CONTACT "Vantrel developers <vantrel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "builds Windows installers for Palm OS databases")
set(CPACK_PACKAGE_DESCRIPTION
  "vantrel-pack builds, checks and takes apart Vantrel installers: one small Windows\nprogram (vantrel.exe, included) with Palm OS databases and an install script\nappended, which installs the databases for the next HotSync.")
set(guide ${CMAKE_SOURCE_DIR}/docs/packaging-guide.md)

if(WIN32)
  install(TARGETS vantrel vantrel-pack RUNTIME DESTINATION .)
  install(FILES ${guide} DESTINATION .)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/screenshots DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME vantrel-${PROJECT_VERSION}-windows)
else()
  # The native build does not make the Windows program: it comes from the
  # win32 preset's build.
  set(VANTREL_STUB ${CMAKE_SOURCE_DIR}/build/win32/vantrel.exe
      CACHE FILEPATH "The vantrel.exe to install as the default stub")
  set(docdir ${CMAKE_INSTALL_DATADIR}/doc/vantrel)
  install(TARGETS vantrel-pack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${VANTREL_STUB} DESTINATION ${CMAKE_INSTALL_DATADIR}/vantrel)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/vantrel-pack.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_SOURCE_DIR}/packager/vantrel-pack.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vantrel-pack)
  install(FILES ${guide} DESTINATION ${docdir})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/screenshots DESTINATION ${docdir})
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS bash-completion)
endif()
include(CPack)
