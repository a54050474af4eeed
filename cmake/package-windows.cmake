# The Windows packages, made beside the programs when makensis is at hand:
# kvr27dust32-<version>-setup.exe, a per-user installer (Debian's nsis), and
# kvr27dust32-<version>-windows.zip with the two programs for technicians
# who prefer no installer.
find_program(KVR27_MAKENSIS makensis)
if(NOT TARGET kvr27dust32 OR NOT TARGET kvr27dust32-sim)
    return()
endif()

set(kvr27_package_name kvr27dust32-${PROJECT_VERSION})
set(kvr27_zip ${CMAKE_BINARY_DIR}/${kvr27_package_name}-windows.zip)
add_custom_command(OUTPUT ${kvr27_zip}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${kvr27_zip} --format=zip
            $<TARGET_FILE_NAME:kvr27dust32> $<TARGET_FILE_NAME:kvr27dust32-sim>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:kvr27dust32>
    DEPENDS kvr27dust32 kvr27dust32-sim
    COMMENT "Packing ${kvr27_package_name}-windows.zip")
set(kvr27_windows_packages ${kvr27_zip})

if(KVR27_MAKENSIS)
    set(kvr27_setup ${CMAKE_BINARY_DIR}/${kvr27_package_name}-setup.exe)
    set(kvr27_nsi ${PROJECT_SOURCE_DIR}/packaging/windows/kvr27dust32.nsi)
    add_custom_command(OUTPUT ${kvr27_setup}
        COMMAND ${KVR27_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
                -DPROGRAM_DIR=$<TARGET_FILE_DIR:kvr27dust32>
                -DICON=${PROJECT_SOURCE_DIR}/app/windows/kvr27dust32.ico
                -DOUTFILE=${kvr27_setup} ${kvr27_nsi}
        DEPENDS kvr27dust32 kvr27dust32-sim ${kvr27_nsi} ${PROJECT_SOURCE_DIR}/app/windows/kvr27dust32.ico
        COMMENT "Making the installer ${kvr27_package_name}-setup.exe")
    list(APPEND kvr27_windows_packages ${kvr27_setup})
endif()

add_custom_target(windows_packages ALL DEPENDS ${kvr27_windows_packages})
