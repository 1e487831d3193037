#!/usr/bin/env bash
# Remakes the README's pictures in docs/: the start view and the camera tour at
# 10 and 25 seconds, all at 1024 x 768 with fixed frame times.
set -euo pipefail
binary="$1"
docs="$(cd "$(dirname "$0")/.." && pwd)/docs"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$binary" 1024 768 0 --frames 30 --fixed-dt 0.0166 --screenshot "$docs/start-view.png" </dev/null >/dev/null
"$binary" 1024 768 0 1 --fixed-dt 0.25 --seconds 25 --shot-every 5 --shot-dir "$work" </dev/null >/dev/null
cp "$work/emberwight-0002.png" "$docs/tour-10s.png"
cp "$work/emberwight-0005.png" "$docs/tour-25s.png"
echo "Pictures written to $docs/"
