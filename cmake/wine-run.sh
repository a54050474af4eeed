#!/bin/sh
# Runs a Windows program under Wine for CTest and gtest_discover_tests.
#
# The program's output goes to files and is printed after it exits, and
# its stdin is /dev/null: Wine's background processes (wineserver, services)
# inherit the program's descriptors and would otherwise keep CTest's pipe
# open long after the program ended.
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

out=$(mktemp) || exit 1
err=$(mktemp) || exit 1
"$wine" "$@" >"$out" 2>"$err" </dev/null
status=$?
cat "$out"
if [ $status -eq 0 ]; then
    grep -av '^[0-9a-f]\{4\}:err:' "$err" >&2
else
    cat "$err" >&2
    echo "wine-run: $* ended with status $status" >&2
fi
rm -f "$out" "$err"
exit $status
