#!/usr/bin/env bash
# --headless with no X display at all: an EGL context and an offscreen
# framebuffer give the same pictures as the window, the benchmark runs, the
# fire's sound is recorded with the frames, and an unknown EGL device is a
# clear start-up failure.
source "$(dirname "$0")/lib.sh"
# No audio device here, whatever the machine has.
export ALSOFT_DRIVERS=none

# below A B: A is a number (not an empty answer) under B.
below() { [[ "$1" =~ ^[0-9.]+$ ]] && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# The start view, the tour at 10 s and the start view tuned by a settings
# file (a grey fog from 20 to 90, a blue fire light), each in the window and
# headless.
cat > "$WORK/look.json" <<'LOOK'
{"fog": {"color": [0.5, 0.5, 0.55], "start": 20, "end": 90}, "fireLight": {"color": [0.4, 0.6, 1.0]}}
LOOK
start=(512 384 0 --frames 10 --fixed-dt 0.05)
tour=(512 384 0 1 --frames 21 --fixed-dt 0.5)
tuned=("${start[@]}" --settings "$WORK/look.json")
for view in start tour tuned; do
    eval "args=(\"\${$view[@]}\")"
    spawn_window "$view-window" run_app "$WORK/$view-window.log" "${args[@]}" \
        --screenshot "$WORK/$view-window.png" --audio-out "$WORK/$view-window.wav"
    spawn "$view" headless "$WORK/$view.log" "${args[@]}" --gl-debug --screenshot "$WORK/$view.png" \
        --audio-out "$WORK/$view.wav"
done
# The runs checked further down: the scene frozen and running, the benchmark,
# the sound near the fire and an unknown EGL device.
echo '{"time": {"scale": 0}}' > "$WORK/frozen.json"
for pace in frozen running; do
    mkdir -p "$WORK/$pace"
    settings=(); [ "$pace" = frozen ] && settings=(--settings "$WORK/frozen.json")
    spawn "$pace" headless "$WORK/$pace.log" 640 480 0 --fixed-dt 0.5 --seconds 1 --shot-every 0.5 \
        --shot-dir "$WORK/$pace" --panel --gl-debug "${settings[@]}"
done
spawn bench headless "$WORK/bench.log" 160 120 0 --benchmark 1 --benchmark-csv "$WORK/frames.csv"
spawn left headless "$WORK/left.log" 64 48 0 --frames 20 --fixed-dt 0.05 --camera 9.8,10,0,135,0 \
    --audio-out "$WORK/left.wav"
spawn device headless "$WORK/device.log" 160 120 0 --frames 1 --egl-device 99

for view in start tour tuned; do
    status=$(result "$view-window")
    check "$view in the window (got $status)" [ "$status" = 0 ]
    status=$(result "$view")
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

# The settings change the picture where fog and fire light show, and nothing
# where neither reaches: the sky.
S="$WORK/start-window.png"; L="$WORK/tuned-window.png"
read -r r g b <<<"$(pngstat mean "$L" 255 270 300 290)"
check "tuned: the fire lights the ground blue ($r $g $b)" awk -v r="$r" -v b="$b" 'BEGIN { exit !(b > r + 5) }'
check "tuned: the ground in front changed ($(pngstat diff "$S" "$L" 255 270 300 290) %)" \
    awk -v d="$(pngstat diff "$S" "$L" 255 270 300 290)" 'BEGIN { exit !(d > 5) }'
read -r r g b <<<"$(pngstat mean "$L" 420 205 450 235)"
check "tuned: the far rocks are in grey fog ($r $g $b)" awk -v g="$g" 'BEGIN { exit !(g > 60) }'
check "tuned: the sky is untouched" [ "$(pngstat diff "$S" "$L" 0 0 512 125)" = "0.000" ]

# time.scale 0 freezes the scene: two frames a second apart are the same
# picture (left of the panel, which --panel draws over the right headless),
# where the running scene moves. The panel shows in the picture.
for pace in frozen running; do
    status=$(result "$pace")
    check "$pace scene with the panel headless (got $status)" [ "$status" = 0 ]
    check "$pace: no GL error with the panel" grep -qx 'GL errors: 0' "$WORK/$pace.log"
done
F="$WORK/frozen/emberwight-000"; R="$WORK/running/emberwight-000"
check "time.scale 0: the frames at 0.5 s and 1 s are the same" \
    [ "$(pngstat diff "${F}1.png" "${F}2.png" 0 0 250 480)" = "0.000" ]
moved=$(pngstat diff "${R}1.png" "${R}2.png" 0 0 250 480)
check "time.scale 1: they differ ($moved %)" awk -v d="$moved" 'BEGIN { exit !(d > 0.05) }'
# The panel's last section bar (Time, folded) is blue over the brown ground.
read -r r g b <<<"$(pngstat mean "${F}2.png" 262 456 610 470)"
check "--panel headless: the panel is in the picture ($r $g $b)" awk -v r="$r" -v b="$b" 'BEGIN { exit !(b > r + 20) }'

# The benchmark names the renderer and the device; one CSV row per frame.
status=$(result bench)
check "benchmark headless ends with 0 (got $status)" [ "$status" = 0 ]
check "benchmark names renderer and EGL device" \
    grep -q '^Benchmark (.\+ on \(EGL device [0-9]\+ of [0-9]\+ (.\+)\|the EGL surfaceless platform\))$' \
    "$WORK/bench.log"
check "benchmark median is positive" \
    awk '/frame time ms:/ { found = 1; ok = ($7 > 0) } END { exit !(found && ok) }' "$WORK/bench.log"
frames=$(awk '/frames measured:/ { print $3 }' "$WORK/bench.log")
check "one CSV row per measured frame (${frames:-none})" \
    [ "$(($(wc -l < "$WORK/frames.csv") - 1))" = "${frames:-x}" ]
# No audio device (ALSOFT_DRIVERS offers none): the benchmark says so in one
# line and runs on, with not a word from the audio libraries.
check "no audio device: one line says so" \
    [ "$(grep -cx 'Sound: off, no audio device' "$WORK/bench.log")" = 1 ]
check "no audio device: no word from the audio libraries" \
    bash -c "! grep -qi 'AL lib\|ALSA\|openal' '$WORK/bench.log'"

# The fire's sound, mixed for the frames drawn (--audio-out, no device and
# no real time). The start view heard the fire 49 units off, partly to the
# right; 12.3 units off, facing along -z, it is 4 times nearer and on the left.
# wav_db FILE: the left and right channels' RMS and their sum's, in dB
# under full scale.
wav_db() {
    od -An -v -t d2 -j 44 -w4 "$1" | awk '{ l += $1 * $1; r += $2 * $2; n++ }
        END { f = n * 32767^2; if (n && l && r) printf "%.1f %.1f %.1f\n", 10 * log(l / f) / log(10),
                  10 * log(r / f) / log(10), 10 * log((l + r) / f) / log(10) }'
}
status=$(result left)
check "--audio-out at a pose near the fire ends with 0 (got $status)" [ "$status" = 0 ]
check "the WAV holds the frames' time: 10 x 0.05 s, 22050 stereo frames" \
    [ "$(stat -c %s "$WORK/start.wav")" = $((44 + 22050 * 4)) ]
check "the same frames in the window and headless, the same WAV" \
    cmp -s "$WORK/start.wav" "$WORK/start-window.wav"
read -r _ _ far <<<"$(wav_db "$WORK/start.wav")"
read -r left right near <<<"$(wav_db "$WORK/left.wav")"
check "4 times nearer, at least 6 dB louder (${far:-none} dB, ${near:-none} dB)" \
    awk -v n="${near:-x}" -v f="${far:-x}" 'BEGIN { exit !(n + 0 == n && n >= f + 6) }'
check "the fire on the left, louder on the left (${left:-none} dB, ${right:-none} dB)" \
    awk -v l="${left:-x}" -v r="${right:-x}" 'BEGIN { exit !(l + 0 == l && l >= r + 3) }'

# An EGL device that does not exist: one line naming the devices there are.
status=$(result device)
check "an unknown --egl-device ends with 255 (got $status)" [ "$status" = 255 ]
check "one error line listing the devices" \
    grep -qx 'Error:no EGL device 99; the devices here: .*0 (.*' "$WORK/device.log"
check "nothing after the error line" [ "$(grep -c '^Error:' "$WORK/device.log")" = 1 ]

finish
