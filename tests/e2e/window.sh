#!/usr/bin/env bash
# The window as people use it: resized, full screen and back with F11, and
# minimised (which needs a window manager: openbox runs for that part).
source "$(dirname "$0")/lib.sh"

# size_is SIZE: true once the demo's window has SIZE (up to 10 s).
size_is() {
    for _ in $(seq 1 200); do
        [ "$(xdotool getwindowgeometry "$WINDOW" 2>/dev/null | awk '/Geometry/ { print $2 }')" = "$1" ] &&
            return 0
        sleep 0.05
    done
    return 1
}
# shot N: F12, then waits for the Nth numbered PNG to be written.
shot() {
    press F12
    wait_file "$(printf '%s/shots/emberwight-%04d.png' "$WORK" "$1")"
}

# Resized after start-up, the frame fills the new size and matches a run that
# started at it (the tour's view is a function of the simulated time alone);
# that run goes on beside it.
tour=(0 1 --frames 20 --fixed-dt 0.05)
if start_app "$WORK/resized.log" 320 240 "${tour[@]}" --screenshot "$WORK/resized.png" --gl-debug; then
    xdotool windowsize "$WINDOW" 500 350
    spawn ref run_app "$WORK/ref.log" 500 350 "${tour[@]}" --screenshot "$WORK/ref.png"
    wait_app 120
    check "the resized run ends with 0 (got $STATUS)" [ "$STATUS" = 0 ]
else
    fail "window did not open"
fi
result ref >/dev/null
check "the frame after a resize has the new size" [ "$(pngstat size "$WORK/resized.png")" = "500x350" ]
difference=$(pngstat diff "$WORK/ref.png" "$WORK/resized.png")
check "the resized frame matches one started at that size ($difference %)" \
    awk -v d="$difference" 'BEGIN { exit !(d != "" && d + 0 < 0.5) }'
check "no GL error across the resize" grep -q '^GL errors: 0$' "$WORK/resized.log"

# F11: full screen on the display's one monitor, then back to the window; F12
# once the window has each size.
mkdir -p "$WORK/shots"
screen=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
if start_app "$WORK/f11.log" 320 240 0 --shot-dir "$WORK/shots"; then
    press F11; size_is "$screen" && shot 1
    press F11; size_is 320x240 && shot 2
    press Escape
    wait_app 20
else
    fail "window did not open"
fi
check "F11 makes the frame the screen's size ($screen)" \
    [ "$(pngstat size "$WORK/shots/emberwight-0001.png" 2>/dev/null)" = "$screen" ]
check "a second F11 restores the window's size" \
    [ "$(pngstat size "$WORK/shots/emberwight-0002.png" 2>/dev/null)" = "320x240" ]
check "F11 announces itself" grep -q '^Fullscreen: ON$' "$WORK/f11.log"

# Minimised: next to no CPU, and the simulation takes up where it stopped
# (the tour's 4 s are not spent while the window is away, about 3 s).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat" 2>/dev/null || echo 0; }
if start_app "$WORK/min.log" 320 240 0 1 --seconds 4; then
    openbox --sm-disable >/dev/null 2>&1 &
    WM=$!
    # The window manager is up once the root window names it.
    for _ in $(seq 1 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
    xdotool windowminimize --sync "$WINDOW"
    sleep 1
    before=$(cpu_ticks); sleep 2; after=$(cpu_ticks)
    check "a minimised window uses next to no CPU ($((after - before)) ticks in 2 s)" \
        [ $((after - before)) -lt 20 ]
    restored=$(date +%s%N)
    xdotool windowactivate "$WINDOW" 2>/dev/null
    wait_app 60
    ran=$(( ($(date +%s%N) - restored) / 1000000 ))
    check "the run goes on after the restore (${ran} ms), not cut short by the time away" \
        [ "$ran" -gt 3000 ]
    check "and ends with 0 (got $STATUS)" [ "$STATUS" = 0 ]
    kill "$WM" 2>/dev/null
else
    fail "window did not open"
fi

finish
