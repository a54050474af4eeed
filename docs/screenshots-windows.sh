#!/usr/bin/env bash
# Takes docs/windows-tabela.png: the Windows demo program under Wine in a
# virtual X server, with Wine's Windows-metric fonts (fonts-wine), after a
# survey of the demo line. Needs the Windows build (scripts/test-windows.sh)
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
(cd "$work" && exec "$wine" "$program" --lang pl ${QT_WINDOWS_OPTIONS:-} </dev/null >/dev/null 2>&1) &

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "kvr27dust32 v4" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
done
sleep 2
# Tall enough for all 32 addresses, as on a laptop screen.
xdotool windowsize "$window" 636 870
xdotool windowmove "$window" 0 0
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$Y
size=${WIDTH}x${HEIGHT}
echo "window at ${left},${top}, ${size}"

click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.4; }
shoot() { xwd -root -silent | /usr/bin/convert xwd:- -crop "$size+$left+$top" +repage "png:$docs/$1"; }
# Waits until the diagnostic log has stopped growing: the workflow is over.
settle()
{
    local before=-1 now
    while now=$(wc -l <"$work/msp430_log.txt" 2>/dev/null || echo 0); [ "$now" != "$before" ]; do
        before=$now
        sleep 3
    done
}

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
