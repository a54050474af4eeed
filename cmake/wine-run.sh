#!/bin/sh
# Runs a Windows program under Wine for CTest and gtest_discover_tests.
#
# The program's output goes to files and is printed after it exits, and
# its stdin is /dev/null: Wine's background processes (wineserver, services)
# inherit the program's descriptors and would otherwise keep CTest's pipe
# open long after the program ended.
#
# A run that failed shows Wine's own error messages and its exit status
# (Wine's error channel is on unless the caller chose otherwise), so a
# failure that is Wine's and not the program's says so.
#
# Without a WINEPREFIX from the caller, the prefix is "wine-prefix" in the
# build tree that holds the program (the folder with CMakeCache.txt), so a
# plain `cmake --build` never touches ~/.wine.
if [ -z "${WINEPREFIX:-}" ]; then
    dir=$(cd "$(dirname "$1")" && pwd)
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do
        dir=$(dirname "$dir")
    done
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        echo "wine-run: no build tree above $1; set WINEPREFIX" >&2
        exit 1
    fi
    WINEPREFIX="$dir/wine-prefix"
fi
: "${WINEDEBUG:=err+all,fixme-all}"
: "${WINEDLLOVERRIDES:=winemenubuilder.exe=d;winedbg.exe=d;mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
unset DISPLAY WAYLAND_DISPLAY

if [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
else
    wine=wine
fi
# Wine maps the shared user data of every Windows process at the fixed
# address 0x7ffe0000. With the address space laid out at random, now and
# then another mapping already lies there, and Wine gives up before the
# program starts ("failed to map the shared user data: c0000018", exit 1,
# without a word when its error channel is off): about one Windows suite
# run in five failed on one test so. A fixed layout (setarch -R, the
# ADDR_NO_RANDOMIZE personality) keeps that address free.
if setarch "$(uname -m)" -R true 2>/dev/null; then
    wine="setarch $(uname -m) -R $wine"
fi

out=$(mktemp) || exit 1
err=$(mktemp) || exit 1
trap 'rm -f "$out" "$err"' EXIT

# Wine says so when it stopped before the program's entry point: its
# address space could not be set up (the shared user data, c0000018), a
# DLL was not found or not initialised (c0000135, c0000142, …), or the
# server dropped the process before giving it its first thread ("wine
# client error:0:"). Such a run never started the program, and only such a
# run is made once more.
not_started() {
    [ ! -s "$out" ] && grep -aEm1 '^wine client error:0: |:err:(virtual:virtual_alloc_first_teb .*c0000[0-9a-f]{3}|module:(LdrInitializeThunk .*failed|.*could not load kernel32\.dll), status c0000[0-9a-f]{3})' "$err"
}

$wine "$@" >"$out" 2>"$err" </dev/null
status=$?
if [ $status -ne 0 ] && reason=$(not_started); then
    echo "wine-run: Wine did not start $1 (status $status: $reason); running it once more" >&2
    $wine "$@" >"$out" 2>"$err" </dev/null
    status=$?
fi
cat "$out"
if [ $status -eq 0 ]; then
    # Wine's own error messages of a run that passed are noise to a reader.
    grep -av '^[0-9a-f]\{4\}:err:' "$err" >&2
else
    cat "$err" >&2
    echo "wine-run: $* ended with status $status" >&2
fi
exit $status
