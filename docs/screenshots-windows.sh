#!/usr/bin/env bash
# Takes docs/windows-tabela.png: the Windows demo program under Wine in a
# virtual X server, with Wine's Windows-metric fonts (fonts-wine), after a
# survey of the demo line; and docs/windows-historia.png, its "Historia" tab
# on the demo site (in a store of its own) with the cleaned detector chosen. Needs the Windows build (scripts/test-windows.sh)
# and xvfb, x11-apps, imagemagick and xdotool.
#   docs/screenshots-windows.sh [Windows build directory]
set -euo pipefail
cd "$(dirname "$0")/.."
docs=$PWD/docs
build=$(realpath "${1:-build-windows}")
program=$build/app/kvr27dust32-sim.exe
display=:96
work=$(mktemp -d)

export WINEPREFIX="$build/wine-prefix-screenshots"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree,mshtml="
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
[ -d "$WINEPREFIX" ] || wineboot --init </dev/null >/dev/null 2>&1
(cd "$work" && exec "$wine" "$program" --lang pl </dev/null >/dev/null 2>&1) &

source "$docs/screenshot-steps.sh"
find_window 100
sleep 2
# Tall enough for all 32 addresses, as on a laptop screen.
xdotool windowsize "$window" 636 870
xdotool windowmove "$window" 0 0
sleep 1
measure
echo "window at ${left},${top}, ${size}"

if [ "${2:-}" = "--probe" ]; then
    shoot windows-probe.png
    exit 0
fi

# The window opens on "Tabela": the survey button, then the finished grid.
click "${SURVEY_X:-100}" "${SURVEY_Y:-37}"
sleep 2
settle
sleep 2
shoot windows-tabela.png

# "Historia": the program again, with the demo site in a store of its own;
# the tab opens on the only site.
wineserver -k >/dev/null 2>&1 || true
sleep 1
(cd "$work" && exec "$wine" "$program" --lang pl --demo-site --history-file historia.sqlite </dev/null >/dev/null 2>&1) &
find_window 100
sleep 2
xdotool windowsize "$window" 900 700
xdotool windowmove "$window" 0 0
sleep 1
measure
click "${HISTORY_TAB_X:-98}" "${HISTORY_TAB_Y:-10}"
sleep 2
click 30 "${DETECTOR_4_Y:-122}"
xdotool mousemove 1200 1000
sleep 1
shoot windows-historia.png
