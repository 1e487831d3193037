#!/usr/bin/env bash
# Unusable window sizes and every full-screen / tour word: either a window of
# that size or the classic failure line with status 255 — never a crash or hang.
source "$(dirname "$0")/lib.sh"

for size in "0 600" "-5 600" "abc 600" "800 0" "100000 600" "800 100000"; do
    status=$(run_app "$WORK/size.log" $size 0 --frames 2 --fixed-dt 0.02)
    check "size '$size' ends with 255 (got $status)" [ "$status" = 255 ]
    check "size '$size' reports the window failure" grep -q 'Error:failed to open window:$' "$WORK/size.log"
done

# A full-screen window takes the monitor's mode, and the frame follows it.
screen=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
for words in "0" "1" "true" "yes" "TRUE" "-1" "0 true" "0 1" "0 0" "0 no" "true true" "1 1 extra"; do
    status=$(run_app "$WORK/word.log" 96 72 $words --frames 2 --fixed-dt 0.02 --screenshot "$WORK/w.png")
    check "words '$words' end with 0 (got $status)" [ "$status" = 0 ]
    size=96x72
    if [ "${words%% *}" = true ] || [ "${words%% *}" = 1 ]; then size=$screen; fi
    check "words '$words' draw a $size frame" [ "$(pngstat size "$WORK/w.png")" = "$size" ]
    if [ "$size" = "$screen" ]; then
        check "words '$words' print Fullscreen before the size" grep -q '^Fullscreen96 x 72' "$WORK/word.log"
    fi
    rm -f "$WORK/w.png"
done
check "five positional arguments count as argc 6" grep -q '^argc 6$' "$WORK/word.log"

finish
