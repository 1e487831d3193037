#!/usr/bin/env bash
# --gles: the OpenGL ES 3.0 back end, headless and in the window, draws the
# desktop's picture and fire with no GL error, its particle buffers sized to
# what the fire holds; a driver without ES 3.0 is one clear start-up failure.
source "$(dirname "$0")/lib.sh"

# below A B: A is a number (not an empty answer) under B.
below() { [[ "$1" =~ ^[0-9.]+$ ]] && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
# near A B: whole numbers A and B at most 10 % of B apart, B above 0.
near() { [[ "$1" =~ ^[0-9]+$ && "$2" =~ ^[0-9]+$ ]] && [ "$2" -gt 0 ] &&
         awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 0.1 * b) }'; }

# Every run first, side by side; what each shows is checked below.
# Rocks, ground, the turning structure and its shadow; the fire behind.
pose=(320 240 0 --frames 12 --fixed-dt 0.05 --camera -3,7,2,225,-22 --gl-debug --stats 12)
spawn desktop headless "$WORK/desktop.log" "${pose[@]}" --screenshot "$WORK/desktop.png"
spawn es headless "$WORK/es.log" "${pose[@]}" --gles --screenshot "$WORK/es.png"
# Close to the fire.
close=(320 240 0 --frames 20 --fixed-dt 0.05 --camera -2.5,12,-14,315,8 --gles --gl-debug)
spawn es-half headless "$WORK/es-half.log" "${close[@]}" --screenshot "$WORK/es-half.png"
spawn es-whole headless "$WORK/es-whole.log" "${close[@]}" --full-res-particles \
    --screenshot "$WORK/es-whole.png"
# The fire after 10 s at a fixed frame time.
fire=(256 192 0 --frames 100 --fixed-dt 0.1 --stats 100)
spawn fire-desktop headless "$WORK/fire-desktop.log" "${fire[@]}"
spawn fire-es headless "$WORK/fire-es.log" "${fire[@]}" --gles
spawn_window window run_app "$WORK/window.log" "${pose[@]}" --gles --screenshot "$WORK/es-window.png"
echo '{"fog": {"start": 20, "end": 90}}' > "$WORK/look.json"
spawn rest headless "$WORK/rest.log" 256 192 0 --gles --gl-debug --settings "$WORK/look.json" --glow \
    --show-shadow-cube --benchmark 1

for renderer in desktop es; do
    status=$(result "$renderer")
    check "$renderer: headless exits with 0 (got $status)" [ "$status" = 0 ]
    check "$renderer: no GL error" grep -qx 'GL errors: 0' "$WORK/$renderer.log"
done
difference=$(pngstat diff "$WORK/es.png" "$WORK/desktop.png")
check "ES draws the desktop's picture ($difference % apart)" below "$difference" 0.3
check "ES: not a blank picture" awk -v m="$(pngstat mean "$WORK/es.png" | awk '{print $1}')" 'BEGIN { exit !(m > 10) }'
bytes() { sed -n 's/^stats .* particle_buffer_bytes \([0-9]*\) .*$/\1/p' "$1"; }
check "desktop: 457,600,000 bytes of particle buffers" [ "$(bytes "$WORK/desktop.log")" = 457600000 ]
es_bytes=$(bytes "$WORK/es.log")
check "ES: particle buffers of a few megabytes ($es_bytes)" \
    awk -v b="$es_bytes" 'BEGIN { exit !(b > 100000 && b < 20000000) }'

# The particles at half size on ES, close to the fire: the whole size's picture
# (0.4 % apart at 1024 x 768; about 1 % at this small size, where a half-size
# pixel is coarse).
result es-half >/dev/null; result es-whole >/dev/null
difference=$(pngstat diff "$WORK/es-half.png" "$WORK/es-whole.png")
check "ES: the fire at half size, the whole size's ($difference % apart)" below "$difference" 1.5
check "ES: no GL error at half size" grep -qx 'GL errors: 0' "$WORK/es-half.log"

# The fire after 10 s at a fixed frame time: alive per kind within 10 %.
result fire-desktop >/dev/null; result fire-es >/dev/null
alive() { sed -n 's/^stats .* alive \([0-9]*\) \([0-9]*\) \([0-9]*\) \([0-9]*\) .*/\1 \2 \3 \4/p' "$1"; }
read -r -a desktop_alive <<<"$(alive "$WORK/fire-desktop.log")"
read -r -a es_alive <<<"$(alive "$WORK/fire-es.log")"
kinds=(sparks smoke "large flames" "small flames")
for i in 0 1 2 3; do
    check "${kinds[$i]}: ${es_alive[$i]:-none} alive on ES, ${desktop_alive[$i]:-none} on the desktop" \
        near "${es_alive[$i]:-}" "${desktop_alive[$i]:-}"
done

# The window: an ES context through GLFW, the same picture as headless.
status=$(result window)
check "ES window exits with 0 (got $status)" [ "$status" = 0 ]
check "ES window: no GL error" grep -qx 'GL errors: 0' "$WORK/window.log"
difference=$(pngstat diff "$WORK/es-window.png" "$WORK/es.png")
check "ES window: the headless picture ($difference % apart)" below "$difference" 0.1

# The rest of the demo on ES: a settings file, the glow, the shadow-cube box
# and the benchmark with its GPU pass times, with no GL error.
status=$(result rest)
check "ES: settings, glow, box and benchmark exit with 0 (got $status)" [ "$status" = 0 ]
check "ES: the benchmark reports its frames" grep -q '^  frame time ms: min' "$WORK/rest.log"
check "ES: and the GPU's pass times" grep -q '^    shadow cube ' "$WORK/rest.log"
check "ES: no GL error with them all" grep -qx 'GL errors: 0' "$WORK/rest.log"
check "ES: the glow stays on" bash -c "! grep -q 'Glow: OFF' '$WORK/rest.log'"

# A driver that offers ES 2.0 only (Mesa told so) gets one line and 255.
status=$( (cd "$WORK" && MESA_GLES_VERSION_OVERRIDE=2.0 env -u DISPLAY timeout 60 "$BIN" 64 64 0 \
    --headless --gles --frames 2 </dev/null >"$WORK/old.log" 2>&1); echo $?)
check "ES 2.0 only: status 255 (got $status)" [ "$status" = 255 ]
check "ES 2.0 only: one Error: line" [ "$(grep -c '^Error:' "$WORK/old.log")" = 1 ]
check "ES 2.0 only: says it is OpenGL ES 3 it could not have" grep -q '^Error:.*OpenGL ES 3' "$WORK/old.log"
finish
