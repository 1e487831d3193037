#!/usr/bin/env bash
# Starts the demo. With a display it is the interactive demo; without one it
# flies the camera tour for 20 seconds at 1024 x 768 headless (offscreen
# through EGL, on a GPU where there is one; the pictures are the window's) and
# writes a PNG every 5 seconds into out/ (TOUR_SECONDS and SHOT_EVERY change
# the two spans).
set -euo pipefail
binary="$1"; shift

if [ -n "${DISPLAY:-}" ]; then
    exec "$binary" "$@"
fi

out="$(pwd)/out"
mkdir -p "$out"
if [ $# -eq 0 ]; then
    set -- 1024 768 0 1
fi
seconds="${TOUR_SECONDS:-20}"
every="${SHOT_EVERY:-5}"
echo "No display: flying the camera tour for $seconds seconds headless; screenshots go to $out/"
"$binary" "$@" --headless --seconds "$seconds" --shot-every "$every" --shot-dir "$out" </dev/null
echo "Screenshots of the tour:"
ls -1 "$out"/emberwight-*.png 2>/dev/null || echo "  (none written)"
