# What `cmake --install` puts where, and the Debian package made of it
# (`cpack -G DEB` in the build directory).
include(GNUInstallDirs)

set(DRALUN_PROGRAMS)
foreach(program dralun dralun-calc dralun-install dralun-report)
  if(TARGET ${program})
    list(APPEND DRALUN_PROGRAMS ${program})
  endif()
endforeach()
install(TARGETS ${DRALUN_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The installation medium: the 36 data files dralun-install copies into a
# user's data directory.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/medium/Dralun/ DESTINATION ${CMAKE_INSTALL_DATADIR}/dralun)
# The help pages of the forms, one UTF-8 text per form: the program has them
# built in (F1); these are for reading and printing. Beside the medium, not
# in it, which holds its 36 files and nothing else.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dralun/help)

set(DRALUN_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${DRALUN_PACKAGING}/man/dralun-calc.1 ${DRALUN_PACKAGING}/man/dralun-install.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(DRALUN_BUILD_GUI)
  install(FILES ${DRALUN_PACKAGING}/de.dralun.Dralun.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${DRALUN_PACKAGING}/de.dralun.Dralun.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${DRALUN_PACKAGING}/dralun-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME dralun.xml)
  install(FILES ${DRALUN_PACKAGING}/icons/dralun.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
# The PNG icons are drawn at build time by a program of the build; a build
# with the sanitizers (whose leak check would stop it) does without them.
if(DRALUN_BUILD_GUI AND NOT DRALUN_SANITIZE)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tools/icons ${PROJECT_BINARY_DIR}/tools/icons)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dralun)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dralun <dralun@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hydraulische Nachweise der Straßenentwässerung")
set(CPACK_PACKAGE_DESCRIPTION
    "Rechenhilfen für die Bemessung der Straßenentwässerung: Rohrleitungen,\nDurchlässe, Mulden, Gräben, Rinnen, Abläufe, Drosseln und Versickerung,\nmit nachprüfbarem Bericht, Projekten und Wertetabellen.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Qt's German texts of its own buttons and dialogs, and a font for the
# windows on a machine that has none yet; the menu, the file type and the
# icons are refreshed by the triggers of the desktop's own packages.
if(DRALUN_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
endif()
include(CPack)
