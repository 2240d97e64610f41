# Read by CPack for each generator: the installer is tavimor-<version>-win64-setup.exe,
# the portable ZIP tavimor-<version>-win64.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
