# Installation and the Debian package.
include(GNUInstallDirs)

set(TAVIMOR_APP_ID org.tavimor.Tavimor)

install(TARGETS tavimor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
  # The desktop's menu entry, its icon in the hicolor theme, and the AppStream record.
  install(FILES resources/linux/${TAVIMOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 32 48 64 128 256)
    install(FILES resources/tavimor-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${TAVIMOR_APP_ID}.png)
  endforeach()
  install(FILES resources/tavimor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${TAVIMOR_APP_ID}.svg)
  configure_file(resources/linux/${TAVIMOR_APP_ID}.metainfo.xml
    ${PROJECT_BINARY_DIR}/${TAVIMOR_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${TAVIMOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The licence, in Debian's machine-readable form.
  install(FILES resources/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavimor)
endif()

set(CPACK_PACKAGE_NAME tavimor)
set(CPACK_PACKAGE_VENDOR "The Tavimor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavimor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tavimor developers")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The summary above is the synopsis; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tavimor keeps six pieces of text at hand: each slot takes its text from the
clipboard or a text file and gives it back to the clipboard exactly. All six
can be saved to one slot-set file and opened again.")
# The library dependencies, as dpkg-shlibdeps finds them in the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without Qt's Wayland plugin, Tavimor runs through XWayland on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
include(CPack)
