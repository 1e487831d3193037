#!/usr/bin/env bash
# The window as people use it: resized, full screen and back with F11, and
# minimised (which needs a window manager: openbox runs for that part).
source "$(dirname "$0")/lib.sh"

# Resized after start-up, the frame fills the new size and matches a run that
# started at it (the tour's view is a function of the simulated time alone).
tour=(0 1 --frames 60 --fixed-dt 0.05)
run_app "$WORK/ref.log" 1000 700 "${tour[@]}" --screenshot "$WORK/ref.png" >/dev/null
if start_app "$WORK/resized.log" 640 480 "${tour[@]}" --screenshot "$WORK/resized.png" --gl-debug; then
    xdotool windowsize "$WINDOW" 1000 700
    wait_app 120
    check "the resized run ends with 0 (got $STATUS)" [ "$STATUS" = 0 ]
else
    fail "window did not open"
fi
check "the frame after a resize has the new size" [ "$(pngstat size "$WORK/resized.png")" = "1000x700" ]
difference=$(pngstat diff "$WORK/ref.png" "$WORK/resized.png")
check "the resized frame matches one started at that size ($difference %)" \
    awk -v d="$difference" 'BEGIN { exit !(d != "" && d + 0 < 0.5) }'
check "no GL error across the resize" grep -q '^GL errors: 0$' "$WORK/resized.log"

# F11: full screen on the display's one monitor, then back to the window.
mkdir -p "$WORK/shots"
if start_app "$WORK/f11.log" 320 240 0 --shot-dir "$WORK/shots"; then
    sleep 1
    press F11; sleep 1; press F12; sleep 0.5
    press F11; sleep 1; press F12; sleep 0.5
    press Escape
    wait_app 20
else
    fail "window did not open"
fi
screen=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
check "F11 makes the frame the screen's size ($screen)" \
    [ "$(pngstat size "$WORK/shots/emberwight-0001.png" 2>/dev/null)" = "$screen" ]
check "a second F11 restores the window's size" \
    [ "$(pngstat size "$WORK/shots/emberwight-0002.png" 2>/dev/null)" = "320x240" ]
check "F11 announces itself" grep -q '^Fullscreen: ON$' "$WORK/f11.log"

# Minimised: next to no CPU, and the simulation takes up where it stopped
# (the tour's 7 s are not spent while the window is away).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat" 2>/dev/null || echo 0; }
if start_app "$WORK/min.log" 320 240 0 1 --seconds 7; then
    openbox --sm-disable >/dev/null 2>&1 &
    WM=$!
    sleep 1
    xdotool windowminimize --sync "$WINDOW"
    sleep 1
    before=$(cpu_ticks); sleep 3; after=$(cpu_ticks)
    check "a minimised window uses next to no CPU ($((after - before)) ticks in 3 s)" \
        [ $((after - before)) -lt 30 ]
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
