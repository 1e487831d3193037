#!/usr/bin/env bash
# The picture at 1024 x 768: the start view and the camera tour at fixed
# times, each compared with the same frame rendered with the fire light's
# shadow cube left empty (--no-shadow-casters). Regions are in pixels from
# the top-left; the runs are deterministic (fixed time steps, fixed seeds).
source "$(dirname "$0")/lib.sh"

# Mean luminance of a region, and comparisons on plain numbers.
lum() { pngstat mean "$@" | awk '{ printf "%.1f", 0.299 * $1 + 0.587 * $2 + 0.114 * $3 }'; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
# warm R G B: red well above blue, green between them.
warm() { awk -v r="$1" -v g="$2" -v b="$3" 'BEGIN { exit !(r > 1.6 * b && r > g && g > b) }'; }

# The runs, side by side: the start view (the camera at the scene's start,
# looking at the fire) as it is, without shadow casters, --unlit and with the
# glow; the tour at 5, 10, 15, 20 and 25 s, one picture every 5 s, with and
# without shadow casters. The pictures compared with (no casters, --unlit) are
# drawn headless, the window's picture to the pixel.
start=(1024 768 0 --frames 10 --fixed-dt 0.05)
tour=(1024 768 0 1 --fixed-dt 0.5 --seconds 25 --shot-every 5)
mkdir -p "$WORK/tour" "$WORK/tour-open"
spawn_window tour run_app "$WORK/tour.log" "${tour[@]}" --gl-debug --shot-dir "$WORK/tour"
spawn tour-open headless "$WORK/tour-open.log" "${tour[@]}" --no-shadow-casters --shot-dir "$WORK/tour-open"
spawn_window start run_app "$WORK/start.log" "${start[@]}" --gl-debug --screenshot "$WORK/start.png"
spawn open headless "$WORK/open.log" "${start[@]}" --no-shadow-casters --screenshot "$WORK/open.png"
spawn unlit headless "$WORK/unlit.log" "${start[@]}" --unlit --gl-debug --screenshot "$WORK/unlit.png"
spawn_window glow run_app "$WORK/glow.log" "${start[@]}" --glow --gl-debug --screenshot "$WORK/glow.png"

# --- The start view.
status=$(result start)
check "start view runs and exits with 0 (got $status)" [ "$status" = 0 ]
check "no GL error over the run" grep -qx 'GL errors: 0' "$WORK/start.log"
status=$(result open)
check "start view without shadow casters (got $status)" [ "$status" = 0 ]
S="$WORK/start.png"; O="$WORK/open.png"
# --unlit: the surfaces as their colour texture alone, the floor that the
# performance table measures from; without errors, and plainly not lit.
status=$(result unlit)
check "start view --unlit (got $status)" [ "$status" = 0 ]
check "no GL error with --unlit" grep -qx 'GL errors: 0' "$WORK/unlit.log"
unlit_lighter=$(pngstat darker "$S" "$WORK/unlit.png" 25 0 568 1024 768)
check "--unlit is not the lit picture" above "$unlit_lighter" 30
check "screenshot at 1024x768" [ "$(pngstat size "$S")" = "1024x768" ]

# A bright warm fire around the effigy (left of centre, above the platform).
read -r r g b <<<"$(pngstat mean "$S" 215 260 335 500)"
check "fire region is warm ($r $g $b)" warm "$r" "$g" "$b"
fire=$(pngstat bright "$S" 200 215 260 335 500)
check "fire region has bright flames ($fire % at 200+)" above "$fire" 8

# Warm light on the ground beside the platform, fading further from it
# (measured without shadows, which would hide the light).
read -r r g b <<<"$(pngstat mean "$O" 510 540 600 580)"
check "ground beside the platform is lit warm ($r $g $b)" warm "$r" "$g" "$b"
near=$(lum "$O" 510 540 600 580); far=$(lum "$O" 900 540 1000 580)
check "the light fades with distance ($near -> $far)" above "$near" "$(awk -v f="$far" 'BEGIN { print 2.5 * f }')"

# Shadows of the turning structure fall outward on the ground on both sides
# of the platform; the sky is untouched by them.
left=$(pngstat darker "$S" "$O" 25 0 520 220 640)
right=$(pngstat darker "$S" "$O" 25 480 500 620 600)
check "structure shadow left of the platform ($left % darker)" above "$left" 15
check "structure shadow right of the platform ($right % darker)" above "$right" 15
check "no shadow in the sky" [ "$(pngstat darker "$S" "$O" 25 0 0 1024 250)" = "0.000" ]

# The sky is the night texture: dark blue, stars, never the clear colour.
read -r r g b <<<"$(pngstat mean "$S" 0 0 1024 250)"
check "sky is dark blue ($r $g $b)" awk -v r="$r" -v b="$b" 'BEGIN { exit !(b > r && b > 8 && b < 80) }'
check "sky has stars" above "$(pngstat bright "$S" 150 0 0 1024 250)" 0.01
check "sky is textured, not flat" above "$(pngstat spread "$S" 0 0 1024 250)" 2
check "no pixel of the clear colour anywhere" [ "$(pngstat share "$S" 30 144 255 12)" = "0.000" ]

# Textured surfaces are neither black nor flat: the ground in front, the rocks.
check "ground in front is lit" above "$(lum "$S" 0 668 1024 768)" 12
check "ground in front is textured" above "$(pngstat spread "$S" 0 668 1024 768)" 6
check "rocks are lit" above "$(lum "$S" 430 395 540 470)" 15
check "rocks are textured" above "$(pngstat spread "$S" 430 395 540 470)" 8

# --- The glow: the same start view through the floating-point target. The
# flames' cores burn white and light the air around them; the night away from
# the fire (ground, sky, rocks) keeps its grey levels.
status=$(result glow)
check "start view with --glow (got $status)" [ "$status" = 0 ]
check "no GL error with --glow" grep -qx 'GL errors: 0' "$WORK/glow.log"
G="$WORK/glow.png"
white=$(pngstat share "$S" 255 255 255 40 215 260 335 500)
glow_white=$(pngstat share "$G" 255 255 255 40 215 260 335 500)
check "glow: white-hot cores in the fire ($white -> $glow_white % near white)" \
    above "$glow_white" "$(awk -v w="$white" 'BEGIN { print 3 * w + 3 }')"
read -r left_air above_air <<<"$(lum "$S" 180 300 220 340) $(lum "$S" 240 220 300 260)"
read -r glow_left glow_above <<<"$(lum "$G" 180 300 220 340) $(lum "$G" 240 220 300 260)"
check "glow: halo beside the flames ($left_air -> $glow_left)" above "$glow_left" "$(awk -v a="$left_air" 'BEGIN { print a + 12 }')"
check "glow: halo above the head ($above_air -> $glow_above)" above "$glow_above" "$(awk -v a="$above_air" 'BEGIN { print a + 4 }')"
within() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; exit !(d <= t && -d <= t) }'; }
for region in "900 540 1000 580" "0 668 1024 768" "0 0 1024 200" "430 395 540 470" "840 410 900 470"; do
    read -r plain glowing <<<"$(lum "$S" $region) $(lum "$G" $region)"
    check "glow: the night unchanged at $region ($plain -> $glowing)" within "$plain" "$glowing" 2
done

# --- The tour.
status=$(result tour)
check "tour runs and exits with 0 (got $status)" [ "$status" = 0 ]
check "no GL error over the tour" grep -qx 'GL errors: 0' "$WORK/tour.log"
status=$(result tour-open)
check "tour without shadow casters (got $status)" [ "$status" = 0 ]
for i in 1 2 3 4 5; do
    T="$WORK/tour/emberwight-000$i.png"; U="$WORK/tour-open/emberwight-000$i.png"
    [ -s "$T" ] && [ -s "$U" ] || { fail "tour picture $i written"; continue; }
    at="tour at $((5 * i)) s"
    check "$at: flames in view" above "$(pngstat bright "$T" 200)" 0.8
    check "$at: shadows on the scene" above "$(pngstat darker "$T" "$U" 25)" 5
    check "$at: ground in front lit" above "$(lum "$T" 0 668 1024 768)" 25
    check "$at: ground in front textured" above "$(pngstat spread "$T" 0 568 1024 768)" 15
    check "$at: no clear colour" [ "$(pngstat share "$T" 30 144 255 12)" = "0.000" ]
done

# The rocks cast their shadows outward, away from the fire: at 5 s the rock on
# the left throws it further left, at 25 s the rock on the right further right.
T="$WORK/tour/emberwight-0001.png"; U="$WORK/tour-open/emberwight-0001.png"
shade=$(lum "$T" 100 310 170 400); open=$(lum "$U" 100 310 170 400)
check "rock shadow at 5 s ($open -> $shade)" below "$shade" "$(awk -v o="$open" 'BEGIN { print 0.65 * o }')"
T="$WORK/tour/emberwight-0005.png"; U="$WORK/tour-open/emberwight-0005.png"
shade=$(lum "$T" 880 375 1010 420); open=$(lum "$U" 880 375 1010 420)
check "rock shadow at 25 s ($open -> $shade)" below "$shade" "$(awk -v o="$open" 'BEGIN { print 0.65 * o }')"

finish
