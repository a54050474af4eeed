#!/usr/bin/env bash
# The Windows build, cross-compiled with MinGW-w64, and its tests under
# Wine: the core suite on the simulated line, and the system back end
# against Wine's own setupapi and kernel32. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
build=${KVR27_WINDOWS_BUILD:-build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)

# A prefix of our own, inside the build tree, so nothing outside it is
# touched. The build needs it too: gtest_discover_tests runs the programs.
export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# Whatever happens, no wineserver of this prefix outlives the script.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

wineboot --init </dev/null >"$build/wineboot.log" 2>&1 || {
    cat "$build/wineboot.log" >&2
    exit 1
}

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKVR27_GUI=OFF -DKVR27_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure -j"$jobs"
wineserver -k || true
