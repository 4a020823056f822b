# Per-generator settings of make dist: the Debian package installs under
# /usr, the tar.gz holds the same tree from its top folder.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /)
  set(CPACK_PACKAGE_FILE_NAME varizav-${CPACK_PACKAGE_VERSION}-linux-x86_64)
  # Without the extension unpacked for LibreOffice's own folder (the
  # component calc_extension): the .oxt is the way to LibreOffice from a tar.gz.
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENTS_ALL Unspecified)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
