#!/usr/bin/env bash
# Screenshots: F12 in the running demo, the periodic shots, and headless make run.
source "$(dirname "$0")/lib.sh"

# make run without a display (below) needs none of this one: it goes on beside.
headless_run() {
    (cd "$WORK" && env -u DISPLAY TOUR_SECONDS=2 SHOT_EVERY=1 timeout 120 \
        bash "$ROOT/scripts/run.sh" "$BIN" 160 120 0 1 > "$WORK/headless.log" 2>&1)
    echo $?
}
spawn headless headless_run

# F12 writes a numbered PNG of the window's size and announces it.
start_app "$WORK/f12.log" 200 150 0 --shot-dir "$WORK/shots" || fail "window did not open"
press F12
wait_file "$WORK/shots/emberwight-0001.png"
press Escape
wait_app 20
check "exits with 0 after F12 (got $STATUS)" [ "$STATUS" = 0 ]
check "F12 wrote the first numbered PNG" [ -s "$WORK/shots/emberwight-0001.png" ]
check "the F12 PNG has the window's size" [ "$(pngstat size "$WORK/shots/emberwight-0001.png" 2>/dev/null)" = "200x150" ]
check "F12 announces the file" grep -q "^Screenshot saved: $WORK/shots/emberwight-0001.png$" "$WORK/f12.log"

# --shot-every: one PNG per interval of simulated time, numbered on.
status=$(run_app "$WORK/every.log" 120 90 0 --fixed-dt 0.05 --seconds 2 --shot-every 0.5 --shot-dir "$WORK/shots")
check "periodic shots end with 0 (got $status)" [ "$status" = 0 ]
check "four periodic shots after the F12 one" \
    [ "$(ls "$WORK/shots" | tr '\n' ' ')" = "emberwight-0001.png emberwight-0002.png emberwight-0003.png emberwight-0004.png emberwight-0005.png " ]

# make run without a display: the tour under its own Xvfb, PNGs into out/.
check "headless run ends with 0" [ "$(result headless)" = 0 ]
check "headless run says where the PNGs are" grep -q "screenshots go to $WORK/out/" "$WORK/headless.log"
check "headless run wrote two PNGs" [ "$(ls "$WORK/out" | wc -l)" = 2 ]

finish
