# GoogleTest for the cross build, built from Debian's sources in
# /usr/src/googletest and offered under the names of the installed package
# (GTest::gtest, GTest::gtest_main), so the test folders use
# find_package(GTest) as on the build machine. GoogleMock is built only
# when asked for (-DBUILD_GMOCK=ON), then as GTest::gmock and
# GTest::gmock_main.
if(TARGET GTest::gtest)
    return()
endif()

set(KVR27_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
if(NOT EXISTS ${KVR27_GOOGLETEST_SOURCE}/CMakeLists.txt)
    set(GTest_FOUND FALSE)
    set(GTest_NOT_FOUND_MESSAGE "no GoogleTest sources in ${KVR27_GOOGLETEST_SOURCE} (Debian: googletest)")
    return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "Build GoogleMock for the cross build too")

# GoogleTest is not held to the project's warning flags: the caller's
# compile options are set aside while its folder is added.
get_directory_property(kvr27_saved_compile_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${KVR27_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${kvr27_saved_compile_options}")
# Neither GoogleTest's speed nor that of the test files matters here; their
# compile time does. They are compiled without optimisation; the product's
# libraries, which the tests exercise, keep the build type's flags.
target_compile_options(gtest PRIVATE -O0)
target_compile_options(gtest INTERFACE -O0)

foreach(kvr27_gtest_target gtest gtest_main gmock gmock_main)
    if(TARGET GTest::${kvr27_gtest_target} OR NOT TARGET ${kvr27_gtest_target})
        continue()  # named already, or not built
    endif()
    add_library(GTest::${kvr27_gtest_target} ALIAS ${kvr27_gtest_target})
endforeach()
set(GTest_FOUND TRUE)
