# Read by cpack once per package kind: where the install components go in each package.
# The .tar.gz holds the program folder alone; the .deb puts it in /opt/ravolin and the
# desktop integration under /usr, and gets the stamp that tells the launcher which package
# is installed. A source package (copied folders, no install components) is left as it is.

if(NOT CPACK_INSTALLED_DIRECTORIES)
  set(CPACK_PACKAGE_FILE_NAME "ravolin-${CPACK_PACKAGE_VERSION}-${CPACK_RAVOLIN_PLATFORM}")
  if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/")
    set(CPACK_INSTALL_CMAKE_PROJECTS
        "${CPACK_RAVOLIN_BINARY_DIR};Ravolin;program;${CPACK_RAVOLIN_SYSTEM_FOLDER}"
        "${CPACK_RAVOLIN_BINARY_DIR};Ravolin;desktop;/usr")
    set(CPACK_PRE_BUILD_SCRIPTS "${CPACK_RAVOLIN_STAMP_SCRIPT}")
  else()
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_RAVOLIN_BINARY_DIR};Ravolin;program;/")
  endif()
endif()
