#!/usr/bin/env bash
# The benchmark's report and CSV are well-formed and their figures plausible.
source "$(dirname "$0")/lib.sh"

# Both runs side by side; the second is checked below.
spawn bench run_app "$WORK/bench.log" 160 120 0 --benchmark 1 --benchmark-csv "$WORK/frames.csv"
spawn target run_app "$WORK/target.log" 160 120 0 --benchmark 3 --target-fps 240

status=$(result bench)
check "benchmark ends with 0 (got $status)" [ "$status" = 0 ]
check "names the renderer" grep -q '^Benchmark (.\+)$' "$WORK/bench.log"
check "start-up time is positive" \
    awk '/start-up to first frame:/ { found = 1; ok = ($5 > 0) } END { exit !(found && ok) }' "$WORK/bench.log"
check "min <= median <= p99 <= max, all positive" awk '/frame time ms:/ {
        found = 1; ok = ($5 > 0 && $5 <= $7 && $7 <= $9 && $9 <= $11) }
    END { exit !(found && ok) }' "$WORK/bench.log"
check "mean FPS is positive" awk '/mean FPS:/ { found = 1; ok = ($3 > 0) } END { exit !(found && ok) }' "$WORK/bench.log"
check "query reads and waits per frame reported, waits no more than reads" awk '/query reads per frame:/ {
        found = 1; ok = ($5 + 0 > 0 && $8 + 0 <= $5 + 0 && $12 + 0 >= 0) } END { exit !(found && ok) }' "$WORK/bench.log"
for pass in "shadow cube" "sky box" "ground" "objects" "particle updates" "particle draws" "glow" "picture" "overlay"; do
    check "GPU time of $pass reported" grep -q "^    $pass  *[0-9.]\+$" "$WORK/bench.log"
done

frames=$(awk '/frames measured:/ { print $3 }' "$WORK/bench.log")
check "one CSV row per measured frame ($frames)" [ "$(($(wc -l < "$WORK/frames.csv") - 1))" = "$frames" ]
check "CSV header" grep -q '^frame,frame_ms,gpu_shadow_cube_ms,.*,gpu_overlay_ms$' "$WORK/frames.csv"
check "CSV rows have eleven numeric fields" awk -F, 'NR > 1 && (NF != 11 || $2 <= 0) { bad = 1 } END { exit bad }' "$WORK/frames.csv"
check "measured frames cover about one second" awk -F, 'NR > 1 { sum += $2 } END { exit !(sum >= 1000 && sum < 1500) }' "$WORK/frames.csv"
check "without a target every frame is at the whole size" \
    grep -q '^  render scale: median 1.00, 1.00 to 1.00$' "$WORK/bench.log"

# A target out of reach (240 frames a second on the software renderer): the
# scale goes down to 0.5 within seconds and stays there.
status=$(result target)
check "benchmark with a target ends with 0 (got $status)" [ "$status" = 0 ]
check "a target out of reach: the scale down to 0.5 ($(grep 'render scale' "$WORK/target.log"))" \
    awk '/render scale:/ { found = 1; ok = ($4 + 0 <= 0.55 && $5 + 0 == 0.5 && $7 + 0 < 1) }
         END { exit !(found && ok) }' "$WORK/target.log"

finish
