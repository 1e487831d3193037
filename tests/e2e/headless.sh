#!/usr/bin/env bash
# --headless with no X display at all: an EGL context and an offscreen
# framebuffer give the same pictures as the window, the benchmark runs, and an
# unknown EGL device is a clear start-up failure.
source "$(dirname "$0")/lib.sh"

# below A B: A is a number (not an empty answer) under B.
below() { [[ "$1" =~ ^[0-9.]+$ ]] && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
# headless LOG ARGS...: like run_app, with no display to reach.
headless() {
    local log="$1"; shift
    (cd "$WORK" && env -u DISPLAY -u XAUTHORITY timeout 120 "$BIN" "$@" --headless \
        </dev/null >"$log" 2>&1)
    echo $?
}

# The start view and the tour at 10 s, each in the window and headless.
start=(512 384 0 --frames 30 --fixed-dt 0.0166)
tour=(512 384 0 1 --frames 41 --fixed-dt 0.25)
for view in start tour; do
    eval "args=(\"\${$view[@]}\")"
    status=$(run_app "$WORK/$view-window.log" "${args[@]}" --screenshot "$WORK/$view-window.png")
    check "$view in the window (got $status)" [ "$status" = 0 ]
    status=$(headless "$WORK/$view.log" "${args[@]}" --gl-debug --screenshot "$WORK/$view.png")
    check "$view headless exits with 0 (got $status)" [ "$status" = 0 ]
    check "$view headless: no GL error" grep -qx 'GL errors: 0' "$WORK/$view.log"
    check "$view headless: names its EGL device" \
        grep -q '^512 x 384 offscreen on .*EGL' "$WORK/$view.log"
    check "$view headless: says the overlay is left out" \
        [ "$(grep -c 'text overlay is left out' "$WORK/$view.log")" = 1 ]
    check "$view headless: picture of the window's size" [ "$(pngstat size "$WORK/$view.png")" = 512x384 ]
    difference=$(pngstat diff "$WORK/$view.png" "$WORK/$view-window.png")
    check "$view headless: the window's picture ($difference % apart)" below "$difference" 0.1
done
# The same picture, not merely the same blank: the fire is in it.
check "the headless start view shows the fire" \
    awk -v b="$(pngstat bright "$WORK/start.png" 200)" 'BEGIN { exit !(b > 0.3) }'

# The benchmark names the renderer and the device; one CSV row per frame.
status=$(headless "$WORK/bench.log" 160 120 0 --benchmark 1 --benchmark-csv "$WORK/frames.csv")
check "benchmark headless ends with 0 (got $status)" [ "$status" = 0 ]
check "benchmark names renderer and EGL device" \
    grep -q '^Benchmark (.\+ on \(EGL device [0-9]\+ of [0-9]\+ (.\+)\|the EGL surfaceless platform\))$' \
    "$WORK/bench.log"
check "benchmark median is positive" \
    awk '/frame time ms:/ { found = 1; ok = ($7 > 0) } END { exit !(found && ok) }' "$WORK/bench.log"
frames=$(awk '/frames measured:/ { print $3 }' "$WORK/bench.log")
check "one CSV row per measured frame (${frames:-none})" \
    [ "$(($(wc -l < "$WORK/frames.csv") - 1))" = "${frames:-x}" ]

# An EGL device that does not exist: one line naming the devices there are.
status=$(headless "$WORK/device.log" 160 120 0 --frames 1 --egl-device 99)
check "an unknown --egl-device ends with 255 (got $status)" [ "$status" = 255 ]
check "one error line listing the devices" \
    grep -qx 'Error:no EGL device 99; the devices here: .*0 (.*' "$WORK/device.log"
check "nothing after the error line" [ "$(grep -c '^Error:' "$WORK/device.log")" = 1 ]

finish
