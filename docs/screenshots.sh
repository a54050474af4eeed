#!/usr/bin/env bash
# Takes the window's screenshots on the demo line under a virtual X server:
# docs/tabela.png (after a survey, all rows), docs/ustawienia.png and
# docs/solo.png (after the service login), docs/tabela-en.png ("Tabela" in
# English), docs/historia.png (the "Historia" tab on the demo site after a
# survey of it), the first page of a PDF report of the demo line,
# docs/raport.png, and the history page of one of the demo site,
# docs/raport-historia.png. Needs xvfb, x11-apps, imagemagick, poppler-utils and
# xdotool.
#   docs/screenshots.sh [build directory]
set -euo pipefail
cd "$(dirname "$0")/.."
docs=$PWD/docs
program=$(realpath "${1:-build}")/app/kvr27dust32-sim
display=:97
work=$(mktemp -d)

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
tool=""
trap 'kill $tool $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

source "$docs/screenshot-steps.sh"

# Starts the tool in `language` (with the options that follow) and finds
# its window.
start()
{
    rm -f "$work/msp430_log.txt"
    (cd "$work" && exec "$program" --lang "$@" >/dev/null 2>&1) &
    tool=$!
    find_window
    # Placed and drawn before it is measured and clicked.
    sleep 1
    measure
}

start pl
# Tab row before the login: "Tabela", "Historia", "Ustawienia".
click 180 13
click 100 49
xdotool type --delay 40 "tovrik582"
click 258 49

# Tab row now: "Solo", "Tabela", "Historia", "Ustawienia". The survey; then the window
# tall enough for all 32 rows.
click 81 13
click 115 44
sleep 2
settle
xdotool windowmove "$window" 0 0 windowsize "$window" 636 870
sleep 1
measure
xdotool mousemove 1200 1000
shoot tabela.png
xdotool windowsize "$window" 636 414 windowmove "$window" 322 305
sleep 1
measure

# The service view, for the word columns.
click 229 13
click 18 100
shoot ustawienia.png

# One detector read on "Solo", then the monitor for two ticks.
click 24 13
click 80 45
xdotool key ctrl+a type 4
xdotool key Return
click 49 394
settle
click 110 394
sleep 2.5
shoot solo.png
kill $tool
wait $tool 2>/dev/null || true

# "Tabela" in English, after the login, a survey and the service view. Tab
# row before the login: "Table", "History", "Settings"; after it "Single",
# "Table", "History", "Settings".
start en
click 158 13
click 100 49
xdotool type --delay 40 "tovrik582"
click 258 49
click 88 13
click 115 44
sleep 2
settle
click 219 13
click 18 100
click 88 13
shoot tabela-en.png
kill $tool
wait $tool 2>/dev/null || true

# "Historia" on the demo site (a year of surveys in a store of its own),
# after a survey of the demo line under the demo site's name has added
# today's levels, with the detector at 4 chosen: cleaned half-way, due now.
start pl --demo-site --history-file "$work/historia.sqlite"
xdotool windowmove "$window" 0 0 windowsize "$window" 900 700
sleep 1
measure
click 200 70
xdotool type --delay 20 "Obiekt demonstracyjny"
xdotool key Escape
click 115 43
sleep 2
settle
click 98 13
sleep 1
click 30 124
xdotool mousemove 1200 1000
sleep 0.5
shoot historia.png
kill $tool
wait $tool 2>/dev/null || true

# The report of a survey from the command line, its first page as a picture.
(cd "$work" && "$program" --survey --lang pl --site "Hala magazynowa B" --technician "Jan Kowalski" \
    --report raport.pdf >/dev/null 2>&1) || true
pdftoppm -png -scale-to 760 -f 1 -l 1 -singlefile "$work/raport.pdf" "$docs/raport"

# The PDF of a survey of the demo site from the command line: its second
# page, the site's history (the due list and a drawing per detector).
(cd "$work" && "$program" --survey --lang pl --site "Obiekt demonstracyjny" --technician "Jan Kowalski" \
    --history-file historia.sqlite --report historia.pdf >/dev/null 2>&1) || true
pdftoppm -png -scale-to 760 -f 2 -l 2 -singlefile "$work/historia.pdf" "$docs/raport-historia"
