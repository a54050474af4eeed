# The steps both screenshot scripts take, sourced by them: finding and
# measuring the window, clicking in it, shooting it and waiting for a
# workflow to end. They use $docs (where pictures go), $work (the tool's
# working folder) and $window, $left, $top, $size as set here.

# Waits for the window titled "kvr27dust32 v4" to appear.
find_window()
{
    window=""
    for _ in $(seq "${1:-50}"); do
        window=$(xdotool search --name "kvr27dust32 v4" 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.2
    done
}

measure()
{
    eval "$(xdotool getwindowgeometry --shell "$window")"
    left=$X
    top=$Y
    size=${WIDTH}x${HEIGHT}
}

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
