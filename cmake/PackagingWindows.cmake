# Windows packaging: the NSIS installer (tavimor-<version>-win64-setup.exe),
# which installs per machine into Program Files with a Start-menu entry and an
# uninstaller in Apps & features, and the portable ZIP (tavimor.exe alone).
# Built with CPack from the mingw-w64 build: (cd build-windows && cpack).
install(TARGETS tavimor RUNTIME DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME Tavimor)
set(CPACK_PACKAGE_VENDOR "The Tavimor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavimor)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tavimor)
set(CPACK_PACKAGE_EXECUTABLES tavimor Tavimor) # the Start-menu entry
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_FILE_NAME tavimor-${PROJECT_VERSION}-win64)
# The installer's own name says what it is; set per generator when CPack runs.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackWindowsNames.cmake)

set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The installer's script is the project's own (cmake/NSIS.template.in).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_PACKAGE_NAME Tavimor)
set(CPACK_NSIS_DISPLAY_NAME "Tavimor ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/tavimor.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/tavimor.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME tavimor.exe)
# Debian's NSIS makes a 32-bit installer unless told otherwise; Tavimor is a
# 64-bit program, and its uninstall entry belongs in the 64-bit registry
# (the template sets that view).
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")
include(CPack)
