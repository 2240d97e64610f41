# Installation and the Debian package.
include(GNUInstallDirs)

set(TAVIMOR_APP_ID org.tavimor.Tavimor)
# The address under which the project's history records its maintainers.
set(TAVIMOR_MAINTAINER "The Tavimor developers <maintainers@users.noreply.c-seed-1d62b4d7.example>")

install(TARGETS tavimor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
  # The desktop's menu entry, its icon in the hicolor theme, and the AppStream
  # record. (Debian's shared-mime-info and desktop-file-utils take in the file
  # type and the entry's MimeType by their own triggers; after an install to
  # another prefix, update-mime-database and update-desktop-database do.)
  install(FILES resources/linux/${TAVIMOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 32 48 64 128 256)
    install(FILES resources/tavimor-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${TAVIMOR_APP_ID}.png)
  endforeach()
  install(FILES resources/tavimor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${TAVIMOR_APP_ID}.svg)
  # The file type of slot sets (*.tvm), with an icon of its own.
  install(FILES resources/linux/${TAVIMOR_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  foreach(size 16 32 48 64 128 256)
    install(FILES resources/tavimor-slotset-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
      RENAME application-x-tavimor-slotset.png)
  endforeach()
  install(FILES resources/tavimor-slotset.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
    RENAME application-x-tavimor-slotset.svg)
  configure_file(resources/linux/${TAVIMOR_APP_ID}.metainfo.xml
    ${PROJECT_BINARY_DIR}/${TAVIMOR_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${TAVIMOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The licence, in Debian's machine-readable form.
  install(FILES resources/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavimor)
  # The manual page and the changelog, compressed as Debian keeps them (no
  # time stamp in the gzip header, so that every build gives the same bytes).
  configure_file(resources/linux/tavimor.1 ${PROJECT_BINARY_DIR}/man/tavimor.1 @ONLY)
  configure_file(resources/linux/changelog ${PROJECT_BINARY_DIR}/doc/changelog @ONLY)
  set(compressed ${PROJECT_BINARY_DIR}/man/tavimor.1.gz ${PROJECT_BINARY_DIR}/doc/changelog.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
    COMMAND gzip -9n -c ${PROJECT_BINARY_DIR}/man/tavimor.1 > ${PROJECT_BINARY_DIR}/man/tavimor.1.gz
    COMMAND gzip -9n -c ${PROJECT_BINARY_DIR}/doc/changelog > ${PROJECT_BINARY_DIR}/doc/changelog.gz
    DEPENDS ${PROJECT_BINARY_DIR}/man/tavimor.1 ${PROJECT_BINARY_DIR}/doc/changelog
    VERBATIM)
  add_custom_target(tavimor_docs ALL DEPENDS ${compressed})
  install(FILES ${PROJECT_BINARY_DIR}/man/tavimor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/doc/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavimor)
endif()

set(CPACK_PACKAGE_NAME tavimor)
set(CPACK_PACKAGE_VENDOR "The Tavimor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavimor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVIMOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The summary above is the synopsis; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tavimor keeps six pieces of text at hand: each slot takes its text from the
clipboard or a text file and gives it back to the clipboard exactly. All six
can be saved to one slot-set file and opened again.")
# The library dependencies, as dpkg-shlibdeps finds them in the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without Qt's Wayland plugin, Tavimor runs through XWayland on a Wayland
# desktop; without Qt's translations, its file dialogs and standard buttons
# speak English whatever the desktop's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
include(CPack)
