# The Windows programs' resources: the icon, the version information and the
# manifest (no administrator rights, per-monitor DPI awareness), compiled
# into the .exe so the single file carries everything.
#
# kvr27dust32.ico is made from ../kvr27dust32.svg with rsvg-convert (16, 24,
# 32, 48, 64, 128 and 256 px) and ImageMagick's convert, all sizes in one.
set(KVR27_WINDOWS_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(kvr27_add_windows_resources target description)
    set(KVR27_PROGRAM ${target})
    set(KVR27_DESCRIPTION ${description})
    set(KVR27_ICON ${KVR27_WINDOWS_RESOURCE_DIR}/kvr27dust32.ico)
    set(KVR27_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    set(version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
    if(PROJECT_VERSION_PATCH)
        set(version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
    endif()
    set(KVR27_VERSION_QUAD ${version})
    string(REPLACE "." "," KVR27_VERSION_COMMAS ${version})
    configure_file(${KVR27_WINDOWS_RESOURCE_DIR}/kvr27dust32.manifest.in ${KVR27_MANIFEST} @ONLY)
    configure_file(${KVR27_WINDOWS_RESOURCE_DIR}/kvr27dust32.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc APPEND PROPERTY OBJECT_DEPENDS
        ${KVR27_ICON} ${KVR27_MANIFEST})
endfunction()
