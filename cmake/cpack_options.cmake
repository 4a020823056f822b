# Per-generator settings of make dist: the Debian package installs under
# /usr, the tar.gz holds the same tree from its top folder.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /)
  set(CPACK_PACKAGE_FILE_NAME varizav-${CPACK_PACKAGE_VERSION}-linux-x86_64)
endif()
