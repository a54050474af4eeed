# Read by cpack before it packs: a package from a tree configured for another
# prefix would carry the udev rule in a folder udev does not read.
if(CPACK_GENERATOR STREQUAL "DEB" AND IS_ABSOLUTE "${CPACK_KVR27_UDEV_RULES_DIR}")
    message(FATAL_ERROR "kvr27dust32: the Debian package needs a build tree configured with -DCMAKE_INSTALL_PREFIX=/usr "
                        "(the udev rule goes to ${CPACK_KVR27_UDEV_RULES_DIR})")
endif()
