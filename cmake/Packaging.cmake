# Installation and packages.
#
# `cmake --install <build> --prefix <folder>` lays out a complete program folder in <folder>:
# the program, everything in dist/ (settings, games, wheels, languages, help pages) and the
# icon. Ravolin finds all its files beside its program file, so that folder runs as it is.
#
# `cmake --build <build> --target package` (or cpack in the build folder) makes two packages:
#   ravolin-<version>-linux-<arch>.tar.gz  the portable program folder;
#   ravolin_<version>_<arch>.deb           the program folder, read-only, in /opt/ravolin, the
#                                          launcher /usr/bin/ravolin that gives every user an
#                                          own copy of it, a menu entry and the icon.
# `cpack -D CPACK_PACKAGE_VERSION=<v>` packages under another version number.

set(RAVOLIN_SYSTEM_FOLDER /opt/ravolin)
# Installing and packaging take the program as built; they do not build the tests and tools
# first. The "package" target still builds everything before it packages.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(RAVOLIN_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The program folder (component "program", installed by a plain `cmake --install`).
install(TARGETS ravolin RUNTIME DESTINATION . COMPONENT program)
install(DIRECTORY ${RAVOLIN_DIST}/ DESTINATION . COMPONENT program)
install(DIRECTORY DESTINATION wheels COMPONENT program)
install(FILES ${RAVOLIN_PACKAGING}/ravolin.svg DESTINATION . COMPONENT program)
install(FILES ${RAVOLIN_PACKAGING}/ravolin-256.png DESTINATION . RENAME ravolin.png
        COMPONENT program)

# The desktop integration (component "desktop", relative to /usr in the .deb; only installed
# when asked for by name).
configure_file(${RAVOLIN_PACKAGING}/ravolin-launcher.sh.in ${CMAKE_BINARY_DIR}/packaging/ravolin
               @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/ravolin DESTINATION bin COMPONENT desktop
        EXCLUDE_FROM_ALL)
install(FILES ${RAVOLIN_PACKAGING}/ravolin.desktop DESTINATION share/applications
        COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${RAVOLIN_PACKAGING}/ravolin.svg DESTINATION share/icons/hicolor/scalable/apps
        COMPONENT desktop EXCLUDE_FROM_ALL)
foreach(size 48 256)
  install(FILES ${RAVOLIN_PACKAGING}/ravolin-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ravolin.png
          COMPONENT desktop EXCLUDE_FROM_ALL)
endforeach()

set(CPACK_PACKAGE_NAME ravolin)
set(CPACK_PACKAGE_VENDOR Ravolin)
set(CPACK_PACKAGE_CONTACT "Ravolin <ravolin@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://ravolin.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "full, conditioned and abbreviated wheels for football pools")
set(CPACK_PACKAGE_DESCRIPTION
    "Ravolin is a desktop program for football-pools players. A player marks the outcomes \
1, X and 2 on a coupon of 10 to 15 matches; Ravolin turns that selection into a full, \
conditioned or abbreviated wheel, shows and prints it, saves it as a ticket and checks \
tickets against the results.")
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(qt "${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6 (>= ${qt}), libqt6gui6 (>= ${qt}), \
libqt6widgets6 (>= ${qt}), libqt6printsupport6 (>= ${qt})")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
unset(qt)

# Per generator: the layout of each package (cmake/PackagingLayout.cmake, read by cpack).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/PackagingLayout.cmake)
set(CPACK_RAVOLIN_BINARY_DIR ${CMAKE_BINARY_DIR})
set(CPACK_RAVOLIN_SYSTEM_FOLDER ${RAVOLIN_SYSTEM_FOLDER})
set(CPACK_RAVOLIN_STAMP_SCRIPT ${CMAKE_SOURCE_DIR}/cmake/PackagingStamp.cmake)
string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" CPACK_RAVOLIN_PLATFORM)
include(CPack)

# The package tests (label "release", kept out of the quick suite): the .deb installed into a
# scratch root, started by a fresh user and upgraded; the menu entry checked by
# desktop-file-validate. The launcher's own test needs only sh and runs with the others.
add_test(NAME release_package
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/release/test_package.sh ${CMAKE_SOURCE_DIR}
                 ${CMAKE_BINARY_DIR}
                 ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR}/release-test)
add_test(NAME release_launcher
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/release/test_launcher.sh
                 ${CMAKE_BINARY_DIR}/packaging/ravolin ${CMAKE_BINARY_DIR}/release-launcher-test)
add_test(NAME release_desktop_entry
         COMMAND desktop-file-validate ${RAVOLIN_PACKAGING}/ravolin.desktop)
set_tests_properties(release_package release_desktop_entry PROPERTIES LABELS release)
set_tests_properties(release_package PROPERTIES TIMEOUT 600 RUN_SERIAL ON)
set_tests_properties(release_launcher PROPERTIES TIMEOUT 120)
