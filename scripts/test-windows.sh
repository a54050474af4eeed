#!/usr/bin/env bash
# The Windows build, cross-compiled with MinGW-w64 against a static Qt for
# Windows (scripts/build-qt-windows.sh, from its cache once built), and its
# tests under Wine, each suite ending with CTest's summary:
#   - the core suite on the simulated line, and the system back end against
#     Wine's own setupapi and kernel32;
#   - the window tests on the offscreen platform;
#   - the installer: installed silently, the demo started from its
#     shortcut, uninstalled silently (scripts/check-windows-installer.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
build=${KVR27_WINDOWS_BUILD:-build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)

source scripts/wine-environment.sh "$build"
step_started=$SECONDS
step_done() {
    echo "== Windows step: $1: $((SECONDS - step_started)) s"
    step_started=$SECONDS
}

# Whatever happens, no wineserver of this prefix outlives the script.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# The prefix is made while the compiler works, and started once more: Wine
# installs its own HID devices into a new prefix on its second start, and
# a test program started while that runs would meet a prefix still being
# written. Each start's server is let go before the next.
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
(wineboot --init && wineserver -w && "$wine" cmd /c exit && wineserver -w) </dev/null >"$build/wineboot.log" 2>&1 &
boot=$!

scripts/build-qt-windows.sh
qt=$(scripts/build-qt-windows.sh --print-prefix)
step_done "Qt for Windows"
# The history store's SQLite, built the same way from Debian's source.
scripts/build-sqlite-windows.sh
sqlite=$(scripts/build-sqlite-windows.sh --print-prefix)
step_done "SQLite for Windows"

# The "windows" preset: optimised like the tool, without debug information
# (the static MinGW links and the compiles are then about half as long).
# Qt's toolchain file, from the folder KVR27_QT_WINDOWS names, finds the
# static Qt and hands the compilers to the project's own; KVR27_SQLITE_WINDOWS
# names the SQLite linked in.
KVR27_QT_WINDOWS=$qt KVR27_SQLITE_WINDOWS=$sqlite cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j"$jobs"
step_done "build"

wait "$boot" || {
    cat "$build/wineboot.log" >&2
    exit 1
}
start_wine_server
# The tests mostly wait (Wine's start, the 1 ms polls), so twice as many
# run at once as there are processors.
echo "== Windows suite: core and system back end (Wine)"
# The robustness suites (a fault at each exchange of a survey, a soak of
# 100 000 monitor ticks) run on the simulated line in the native and
# sanitizer suites; under Wine every log line costs many times more and the
# soak alone outlasts its time limit, so neither run here takes them.
ctest --test-dir "$build" --output-on-failure -j"$((jobs * 2))" -LE "window|robustness"
step_done "core suite"
echo "== Windows window (Wine)"
ctest --test-dir "$build" --output-on-failure -j"$jobs" -L window
step_done "window suite"
wineserver -k || true

echo "== Windows installer (Wine)"
scripts/check-windows-installer.sh "$build"
step_done "installer"
echo "Windows step: ${SECONDS} s"
