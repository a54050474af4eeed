# Cross build for 64-bit Windows with MinGW-w64 (Debian's -posix compilers,
# whose libstdc++ has std::thread). Programs are linked statically: a
# MinGW program that cannot find its libstdc++ DLL exits without a word.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKVR27_GUI=OFF
#
# Test programs run under Wine (cmake/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KVR27_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KVR27_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVR27_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KVR27_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KVR27_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# A release program is stripped: with Qt linked in, about half the size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
# Tests are listed when CTest runs, not while building, so building needs
# no Wine at all and the prefix can be made while the compiler works.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Debian ships GoogleTest for the build machine only; the package found
# here builds it for the target from its sources.
set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/googletest-mingw CACHE PATH "GoogleTest built from /usr/src/googletest")
