#!/usr/bin/env bash
# The Windows archive under Wine: unpacked into a folder of its own and run
# from another working directory, it draws the Linux build's pictures (same
# options, fixed time steps) with and without an audio device, mixes the
# fire's sound through its OpenAL DLL, ends on its error paths as the Linux
# build does, and imports system DLLs only, besides that DLL. Needs a display
# (scripts/with-display.sh).
#   windows.sh ZIP LINUX_BUILD_DIR
set -uo pipefail
ZIP=$(realpath "$1")
LINUX_BUILD=$(realpath "$2")
LINUX_BIN="$LINUX_BUILD/emberwight"
pngstat() { "$LINUX_BUILD/tools/pngstat" "$@"; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
PASSED=0 FAILURES=0
check() {  # check "description" command...
    local what="$1"; shift
    if "$@"; then echo "ok: $what"; PASSED=$((PASSED + 1)); else echo "FAIL: $what"; FAILURES=$((FAILURES + 1)); fi
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# A Wine prefix of our own, kept between runs (its first start takes a while);
# no Mono or Gecko installers, no debug chatter.
export WINEPREFIX=${EMBERWIGHT_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/emberwight/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -e "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX" && wineboot --init >/dev/null 2>&1
    wineserver --wait
fi

unzip -q "$ZIP" -d "$WORK/unpacked"
APP=$(dirname "$(find "$WORK/unpacked" -name emberwight.exe | head -n 1)")
check "the archive holds emberwight.exe" [ -f "$APP/emberwight.exe" ]
check "the archive holds the shaders" [ -f "$APP/GraphicsEngine/Shader/BaseShader.frag" ]
check "the archive holds the textures and models" \
    [ -f "$APP/resources/textures/noise.tga" -a -f "$APP/resources/models/skybox.obj" ]
check "the archive holds README.txt" grep -q 'emberwight.exe' "$APP/README.txt"
# OpenAL Soft, a DLL the user may replace, as its licence (the LGPL) asks.
check "the archive holds OpenAL32.dll beside the program" [ -f "$APP/OpenAL32.dll" ]
check "the archive holds OpenAL Soft's licence, the LGPL" \
    grep -q 'GNU LIBRARY GENERAL PUBLIC LICENSE' "$APP/licences/openal-soft/COPYING.txt"

# Only DLLs that every Windows has, and OpenAL32.dll beside the program: no
# C++ runtime, pthreads or other library DLLs, in the program or in the DLL.
system='kernel32\.dll|user32\.dll|gdi32\.dll|opengl32\.dll|msvcrt\.dll|advapi32\.dll|shell32\.dll|winmm\.dll|psapi\.dll|imm32\.dll|ole32\.dll|ws2_32\.dll|avrt\.dll|api-ms-win-.*\.dll'
imports_of() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }' | sort -u; }
imports=$(imports_of "$APP/emberwight.exe")
echo "Imports: $(echo $imports)"
others=$(grep -vxE "$system|openal32\.dll" <<<"$imports")
check "imports system DLLs and OpenAL32.dll only (others: ${others:-none})" [ -z "$others" ]
imports=$(imports_of "$APP/OpenAL32.dll")
echo "OpenAL32.dll imports: $(echo $imports)"
others=$(grep -vxE "$system" <<<"$imports")
check "OpenAL32.dll imports system DLLs only (others: ${others:-none})" [ -z "$others" ]

# run_exe DIR LOG ARGS...: emberwight.exe from DIR, run in $WORK/cwd; prints the status.
mkdir -p "$WORK/cwd"
run_exe() {
    local dir="$1" log="$2"; shift 2
    (cd "$WORK/cwd" && env -u EMBERWIGHT_ROOT timeout 300 wine "$dir/emberwight.exe" "$@" </dev/null >"$log" 2>&1)
    local status=$?
    wineserver --wait
    grep -m 1 '^wine: Unhandled' "$log" >&2  # why a run hangs or fails, in the test's output
    echo "$status"
}
run_linux() {
    local log="$1"; shift
    (cd "$WORK/cwd" && timeout 300 "$LINUX_BIN" "$@" </dev/null >"$log" 2>&1)
    echo $?
}

# The same frames on both systems: the start view and the tour at 10 s.
start=(1024 768 0 --frames 30 --fixed-dt 0.0166)
tour=(1024 768 0 1 --fixed-dt 0.25 --seconds 10)
for view in start tour; do
    declare -n args=$view
    status=$(run_exe "$APP" "$WORK/$view.log" "${args[@]}" --gl-debug --screenshot "$WORK/$view-windows.png")
    check "$view: runs and exits with 0 under Wine (got $status)" [ "$status" = 0 ]
    check "$view: no GL error under Wine" grep -q '^GL errors: 0' "$WORK/$view.log"
    status=$(run_linux "$WORK/$view-linux.log" "${args[@]}" --screenshot "$WORK/$view-linux.png")
    check "$view: the Linux build's run (got $status)" [ "$status" = 0 ]
    if [ -s "$WORK/$view-windows.png" ] && [ -s "$WORK/$view-linux.png" ]; then
        difference=$(pngstat diff "$WORK/$view-windows.png" "$WORK/$view-linux.png")
        check "$view: Windows and Linux pictures within 0.5 % ($difference %)" below "$difference" 0.5
    else
        check "$view: both pictures written" false
    fi
done

# The start view again with and without an audio device: OpenAL Soft's null
# output (a device playing to nothing) and no output at all, where one line
# says so and the audio libraries say nothing.
for device in null none; do
    status=$(export ALSOFT_DRIVERS=$device; run_exe "$APP" "$WORK/sound-$device.log" "${start[@]}" \
        --screenshot "$WORK/sound-$device-windows.png")
    check "ALSOFT_DRIVERS=$device: runs and exits with 0 (got $status)" [ "$status" = 0 ]
    said=$(grep -c 'Sound: off' "$WORK/sound-$device.log")
    expected=0; [ "$device" = none ] && expected=1
    check "ALSOFT_DRIVERS=$device: $expected line(s) say the sound is off (got $said)" [ "$said" = "$expected" ]
    [ "$device" = none ] && check "no audio device: the line reads as on Linux" \
        grep -q '^Sound: off, no audio device' "$WORK/sound-$device.log"
    check "ALSOFT_DRIVERS=$device: no word from the audio libraries" \
        bash -c "! grep -qi 'AL lib\|ALSA\|openal\|alsoft\|err:' '$WORK/sound-$device.log'"
    if [ -s "$WORK/sound-$device-windows.png" ]; then
        difference=$(pngstat diff "$WORK/sound-$device-windows.png" "$WORK/start-linux.png")
        check "ALSOFT_DRIVERS=$device: the Linux build's picture within 0.5 % ($difference %)" \
            below "$difference" 0.5
    else
        check "ALSOFT_DRIVERS=$device: the picture written" false
    fi
done

# The fire's sound mixed through the DLL's loopback device (--audio-out): as
# long as the Linux build's file of the same frames, and the fire, standing
# to the left, louder on the left.
# wav_db FILE: the left and right channels' RMS in dB under full scale.
wav_db() {
    od -An -v -t d2 -j 44 -w4 "$1" | awk '{ l += $1 * $1; r += $2 * $2; n++ }
        END { f = n * 32767^2; if (n && l && r) printf "%.1f %.1f\n", 10 * log(l / f) / log(10), 10 * log(r / f) / log(10) }'
}
left=(64 48 0 --frames 20 --fixed-dt 0.05 --camera "9.8,10,0,135,0")
status=$(run_exe "$APP" "$WORK/left.log" "${left[@]}" --audio-out "$WORK/left-windows.wav")
check "--audio-out exits with 0 under Wine (got $status)" [ "$status" = 0 ]
check "--audio-out: no word from the audio libraries" \
    bash -c "! grep -qi 'AL lib\|ALSA\|openal\|alsoft\|err:' '$WORK/left.log'"
status=$(run_linux "$WORK/left-linux.log" "${left[@]}" --audio-out "$WORK/left-linux.wav")
check "--audio-out: the Linux build's run (got $status)" [ "$status" = 0 ]
sizes="$(stat -c %s "$WORK/left-windows.wav" 2>/dev/null) $(stat -c %s "$WORK/left-linux.wav" 2>/dev/null)"
check "--audio-out: the WAV as long as the Linux build's (bytes: $sizes)" \
    [ -s "$WORK/left-windows.wav" -a "$(cmp -n 44 "$WORK/left-windows.wav" "$WORK/left-linux.wav" && echo same)" = same ]
read -r l r <<<"$(wav_db "$WORK/left-windows.wav")"
check "--audio-out: the fire on the left, louder on the left (${l:-none} dB, ${r:-none} dB)" \
    awk -v l="${l:-x}" -v r="${r:-x}" 'BEGIN { exit !(l + 0 == l && l >= r + 3) }'
[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/*-windows.png "$WORK"/*-linux.png "$KEEP_SHOTS"/

status=$(run_exe "$APP" "$WORK/bench.log" 320 240 0 --benchmark 3)
check "--benchmark 3 exits with 0 (got $status)" [ "$status" = 0 ]
check "--benchmark 3 prints its report" grep -q '^Benchmark' "$WORK/bench.log"

status=$(run_exe "$APP" "$WORK/bad.log" --nonsense)
check "a bad option exits with 2 (got $status)" [ "$status" = 2 ]
check "a bad option prints its line" grep -q "^emberwight: unknown option '--nonsense' (see --help)" "$WORK/bad.log"

status=$(run_exe "$APP" "$WORK/headless.log" --headless --frames 1)
check "--headless exits with 2 on Windows (got $status)" [ "$status" = 2 ]
check "--headless says why in one line" [ "$(grep -c . "$WORK/headless.log")" = 1 ]

# Broken data, in copies of the unpacked folder.
cp -r "$APP" "$WORK/no-texture"
rm "$WORK/no-texture/resources/textures/rock1.jpg"
status=$(run_exe "$WORK/no-texture" "$WORK/no-texture.log" 320 240 0 --frames 3 --fixed-dt 0.02 --stats 1)
check "a missing texture: the run goes on and ends with 0 (got $status)" [ "$status" = 0 ]
check "a missing texture prints its line" grep -q '^Texture: file .* fail!' "$WORK/no-texture.log"
check "--stats reads the resident memory" grep -qE '^stats frame 3 rss_kb [1-9][0-9]* ' "$WORK/no-texture.log"

cp -r "$APP" "$WORK/no-shader"
rm "$WORK/no-shader/GraphicsEngine/Shader/ThresholdShader.frag"
begin=$(date +%s)
status=$(run_exe "$WORK/no-shader" "$WORK/no-shader.log" 320 240 0 --frames 3)
check "a missing shader ends with 255 (got $status)" [ "$status" = 255 ]
check "a missing shader names the file and the error" \
    sh -c "tail -n 2 '$WORK/no-shader.log' | tr -d '\r\n' | grep -q 'ThresholdShader.fragError opening shader file'"
check "a missing shader waits for no key ($(( $(date +%s) - begin )) s)" [ $(( $(date +%s) - begin )) -lt 120 ]

echo "windows: $PASSED passed, $FAILURES failed"
[ "$FAILURES" -eq 0 ]
