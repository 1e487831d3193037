#!/usr/bin/env bash
# Remakes the README's pictures in docs/: the start view and the camera tour at
# 10 and 25 seconds, all at 1024 x 768 with fixed frame times, the animated
# close view of the burning effigy (docs/fire-loop.webp, encoded by img2webp
# from the frames the demo writes), the fire at the start view without and
# with the glow side by side (docs/glow-off-on.png, joined by tools/pngstat,
# built beside the binary), the shadow-cube box up close and the close view
# at render scale 0.5 scaled up bilinearly and by the upscale
# (docs/upscale-bilinear-sharp.png), and the effigy's legs in the flames with
# soft and cut particles (docs/soft-particles.png). Without a display the demo renders
# headless, which gives the window's pictures with no virtual display.
set -euo pipefail
binary="$1"
pngstat="$(dirname "$binary")/tools/pngstat"
mode=()
[ -n "${DISPLAY:-}" ] || mode=(--headless)
docs="$(cd "$(dirname "$0")/.." && pwd)/docs"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$binary" 1024 768 0 --frames 30 --fixed-dt 0.0166 --screenshot "$docs/start-view.png" "${mode[@]}" </dev/null >/dev/null
"$binary" 1024 768 0 1 --fixed-dt 0.25 --seconds 25 --shot-every 5 --shot-dir "$work" "${mode[@]}" </dev/null >/dev/null
cp "$work/emberwight-0002.png" "$docs/tour-10s.png"
cp "$work/emberwight-0005.png" "$docs/tour-25s.png"

# The same start view with the glow, and the region around the fire from both.
"$binary" 1024 768 0 --frames 30 --fixed-dt 0.0166 --glow --screenshot "$work/glow.png" "${mode[@]}" </dev/null >/dev/null
"$pngstat" join "$docs/glow-off-on.png" "$docs/start-view.png" "$work/glow.png" 120 200 480 560
# Beside the structure, level with the box; 40 frames turn it by 60 degrees.
"$binary" 640 480 0 --camera=-7.5,7.8,-10.5,-14,3 --frames 40 --fixed-dt 0.0166 \
    --show-shadow-cube --screenshot "$docs/shadow-cube-box.png" "${mode[@]}" </dev/null >/dev/null

# The close view at render scale 0.5, scaled up bilinearly and by the
# upscale, around the effigy's left arm; no anti-aliasing, so that only the
# upscale differs.
close=(1024 768 0 --camera=-2.5,12,-14,315,8 --frames 30 --fixed-dt 0.0166 --render-scale 0.5
       --antialias off)
"$binary" "${close[@]}" --bilinear-upscale --screenshot "$work/bilinear.png" "${mode[@]}" </dev/null >/dev/null
"$binary" "${close[@]}" --screenshot "$work/upscale.png" "${mode[@]}" </dev/null >/dev/null
"$pngstat" join "$docs/upscale-bilinear-sharp.png" "$work/bilinear.png" "$work/upscale.png" 180 260 560 500
# The effigy's legs in the flames, the particles soft and cut (--hard-particles).
legs=(1024 768 0 --camera=-2.5,12,-14,315,8 --fixed-dt 0.05 --frames 80)
"$binary" "${legs[@]}" --screenshot "$work/soft.png" "${mode[@]}" </dev/null >/dev/null
"$binary" "${legs[@]}" --hard-particles --screenshot "$work/hard.png" "${mode[@]}" </dev/null >/dev/null
"$pngstat" join "$docs/soft-particles.png" "$work/soft.png" "$work/hard.png" 350 320 670 700

# Five seconds at 20 frames a second, after four for the smoke to rise. A shot
# interval just under the frame time writes every frame exactly once. The
# turning structure turns a quarter in five seconds, which its four-fold
# symmetry makes seamless, so the picture loops without a jump.
"$binary" 640 480 0 --camera=-2.5,12,-14,315,8 --fixed-dt 0.05 --frames 180 \
    --shot-every 0.049 --shot-dir "$work/loop" "${mode[@]}" </dev/null >/dev/null
mapfile -t frames < <(ls "$work/loop"/emberwight-*.png | tail -n 100)
[ ${#frames[@]} -eq 100 ] || { echo "expected 100 loop frames, got ${#frames[@]}" >&2; exit 1; }
img2webp -loop 0 -lossy -q 75 -m 4 -d 50 "${frames[@]}" -o "$docs/fire-loop.webp" >/dev/null
echo "Pictures written to $docs/"
