#!/usr/bin/env bash
# Unusable window sizes and every full-screen / tour word: either a window of
# that size or the classic failure line with status 255 — never a crash or hang.
source "$(dirname "$0")/lib.sh"

sizes=("0 600" "-5 600" "abc 600" "800 0" "100000 600" "800 100000")
for i in "${!sizes[@]}"; do
    spawn "size$i" run_app "$WORK/size$i.log" ${sizes[$i]} 0 --frames 2 --fixed-dt 0.02
done
for i in "${!sizes[@]}"; do
    size=${sizes[$i]}; status=$(result "size$i")
    check "size '$size' ends with 255 (got $status)" [ "$status" = 255 ]
    check "size '$size' reports the window failure" grep -q 'Error:failed to open window:$' "$WORK/size$i.log"
done

# A full-screen window takes the monitor's mode, and the frame follows it. Only
# the window matters here, so the scene is the small stand-in data (world.sh).
screen=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
"$TOOLS/scene_files" "$WORK/root" "$ROOT/GraphicsEngine/Shader" || fail "stand-in files written"
all_words=("0" "1" "true" "yes" "TRUE" "-1" "0 true" "0 1" "0 0" "0 no" "true true" "1 1 extra")
for i in "${!all_words[@]}"; do
    EMBERWIGHT_ROOT="$WORK/root" spawn "words$i" run_app "$WORK/word$i.log" 96 72 ${all_words[$i]} \
        --frames 2 --fixed-dt 0.02 --screenshot "$WORK/w$i.png"
done
for i in "${!all_words[@]}"; do
    words=${all_words[$i]}; status=$(result "words$i")
    check "words '$words' end with 0 (got $status)" [ "$status" = 0 ]
    size=96x72
    if [ "${words%% *}" = true ] || [ "${words%% *}" = 1 ]; then size=$screen; fi
    check "words '$words' draw a $size frame" [ "$(pngstat size "$WORK/w$i.png")" = "$size" ]
    if [ "$size" = "$screen" ]; then
        check "words '$words' print Fullscreen before the size" grep -q '^Fullscreen96 x 72' "$WORK/word$i.log"
    fi
done
check "five positional arguments count as argc 6" grep -q '^argc 6$' "$WORK/word11.log"

# Settings files are read before any window opens: a bad one is one line on
# stderr naming the file, the key and the problem, and status 2, with no
# display needed; --print-settings prints what --settings reads back.
echo '{"fog": {"density": "thick"}}' > "$WORK/bad.json"
status=$(cd "$WORK" && env -u DISPLAY "$BIN" --settings bad.json >"$WORK/out.txt" 2>"$WORK/err.txt"; echo $?)
check "a bad settings file ends with 2 (got $status)" [ "$status" = 2 ]
check "one line naming file, key and problem" [ "$(cat "$WORK/err.txt")" = \
    'emberwight: bad.json: fog.density: expected a number from 0.0 to 0.5, got "thick"' ]
check "nothing on stdout before it" [ ! -s "$WORK/out.txt" ]
status=$(cd "$WORK" && env -u DISPLAY "$BIN" --settings missing.json 2>"$WORK/err.txt"; echo $?)
check "an unreadable settings file ends with 2 (got $status)" [ "$status" = 2 ]
check "and says so" grep -qx 'emberwight: missing.json: cannot be read (No such file or directory)' "$WORK/err.txt"
echo '{"time": {"scale": 0.25}, "particles": {"smoke": {"wind": [2, 0]}}}' > "$WORK/some.json"
(cd "$WORK" && env -u DISPLAY "$BIN" --settings some.json --print-settings >"$WORK/all.json")
check "--print-settings ends with 0" [ $? = 0 ]
check "--print-settings shows the file's values" grep -q '"time": {"scale": 0.25}' "$WORK/all.json"
(cd "$WORK" && env -u DISPLAY "$BIN" --settings all.json --print-settings >"$WORK/again.json")
check "what it prints reads back as the same settings" cmp -s "$WORK/all.json" "$WORK/again.json"

finish
