# Run by cpack on the staged .deb: writes the stamp file into the program folder. The launcher
# compares it with the user's copy to see that the package changed. It names the version and
# the moment of packaging, so even a rebuilt package of the same version counts as new.

string(TIMESTAMP built "%Y-%m-%dT%H:%M:%SZ" UTC)
set(stamp "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_RAVOLIN_SYSTEM_FOLDER}/.ravolin-package")
file(WRITE "${stamp}" "Ravolin ${CPACK_PACKAGE_VERSION}\nbuilt ${built}\n")
file(CHMOD "${stamp}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
