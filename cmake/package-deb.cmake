# The Debian package. In a build tree configured with
# -DCMAKE_INSTALL_PREFIX=/usr, `cpack -G DEB` gives
# kvr27dust32_<version>_amd64.deb: both programs, their menu entries and
# icon, the dongle's udev rule, the AppStream metainfo, the manual page, and
# maintainer scripts that reload udev. scripts/test-package.sh builds it,
# checks it, installs it and removes it again.

# The project has no web address and no domain of its own yet: the homepage,
# the AppStream ID (a reverse domain name) and the maintainer's address stand
# under the reserved example domain until it has. AppStream takes the
# screenshot only from a web address, docs/tabela.png below the homepage.
set(KVR27_HOMEPAGE "https://kvr27dust32.example" CACHE STRING "The project's web pages")
set(KVR27_APPSTREAM_ID "example.kvr27dust32.kvr27dust32" CACHE STRING "The AppStream component ID")
set(KVR27_PACKAGE_MAINTAINER "kvr27dust32 developers <maintainers@kvr27dust32.example>"
    CACHE STRING "The package's maintainer, name and address")
# The day version ${PROJECT_VERSION} was released: change both together.
set(KVR27_RELEASE_DATE "2026-12-10")

set(kvr27_package_sources "${PROJECT_SOURCE_DIR}/packaging/linux")
set(kvr27_package_build "${PROJECT_BINARY_DIR}/packaging")

# Debian's changelog dates are in the form of mail headers.
execute_process(
    COMMAND date --utc --rfc-email --date "${KVR27_RELEASE_DATE} 12:00 UTC"
    OUTPUT_VARIABLE kvr27_changelog_date
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

configure_file("${kvr27_package_sources}/kvr27dust32.metainfo.xml.in"
               "${kvr27_package_build}/${KVR27_APPSTREAM_ID}.metainfo.xml" @ONLY)
configure_file("${kvr27_package_sources}/kvr27dust32.1.in" "${kvr27_package_build}/kvr27dust32.1" @ONLY)
configure_file("${kvr27_package_sources}/changelog.in" "${kvr27_package_build}/changelog" @ONLY)
configure_file("${kvr27_package_sources}/copyright.in" "${kvr27_package_build}/copyright" @ONLY)

# Debian keeps manual pages and changelogs compressed at the highest level,
# with no name or time in the header (-n), so a rebuild gives the same bytes.
foreach(document kvr27dust32.1 changelog)
    add_custom_command(
        OUTPUT "${kvr27_package_build}/${document}.gz"
        COMMAND gzip -9n -c "${document}" > "${document}.gz"
        DEPENDS "${kvr27_package_build}/${document}"
        WORKING_DIRECTORY "${kvr27_package_build}"
        VERBATIM)
endforeach()
add_custom_target(kvr27_package_documents ALL
                  DEPENDS "${kvr27_package_build}/kvr27dust32.1.gz" "${kvr27_package_build}/changelog.gz")
# One manual page describes both programs.
file(CREATE_LINK kvr27dust32.1.gz "${kvr27_package_build}/kvr27dust32-sim.1.gz" SYMBOLIC)

install(FILES "${kvr27_package_build}/${KVR27_APPSTREAM_ID}.metainfo.xml" DESTINATION share/metainfo)
install(FILES "${kvr27_package_build}/kvr27dust32.1.gz" "${kvr27_package_build}/kvr27dust32-sim.1.gz"
        DESTINATION share/man/man1)
install(FILES "${kvr27_package_build}/copyright" "${kvr27_package_build}/changelog.gz"
        DESTINATION share/doc/kvr27dust32)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvr27dust32)
set(CPACK_PACKAGE_VENDOR "kvr27dust32 developers")
set(CPACK_PACKAGE_CONTACT "${KVR27_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for a line of KVR27 optical dust detectors")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "kvr27dust32 surveys a line of KVR27 optical dust detectors through the\n"
    "KVR27 USB HID dongle: it finds which addresses answer, reads each\n"
    "detector's calibration and measured words and rates its contamination in\n"
    "a colour-coded table. Behind a service login it reads a single detector,\n"
    "watches the dongle and a detector, starts the line and sends manual\n"
    "commands.\n"
    ".\n"
    "The package holds the tool; kvr27dust32-sim, the same window on a\n"
    "simulated line for training without a dongle; and a udev rule that gives\n"
    "the user at the seat access to the dongle.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KVR27_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KVR27_HOMEPAGE}")
# The libraries come from dpkg-shlibdeps. Qt's translation of its own texts
# (the buttons of a message box, an edit's menu) is data, not a library:
# the window loads it from Qt's translations folder in either language.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${kvr27_package_sources}/postinst" "${kvr27_package_sources}/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The udev rule must land in /usr/lib/udev/rules.d, which it does only when
# the tree was configured for /usr; otherwise its folder is absolute and
# outside the package's tree. cpack reads this check before it packs.
set(CPACK_KVR27_UDEV_RULES_DIR "${KVR27_UDEV_RULES_DIR}")
set(CPACK_PROJECT_CONFIG_FILE "${kvr27_package_sources}/cpack-check.cmake")

include(CPack)
