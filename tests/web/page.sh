#!/usr/bin/env bash
# make test-web: the page from build-web served on 127.0.0.1 only and opened
# in Debian's Chromium (tests/web/page.mjs), against the Linux build's ES
# pictures.
#   page.sh WEB_BUILD_DIR LINUX_BUILD_DIR
# KEEP=DIR keeps the pictures and logs in DIR.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
WEB_BUILD=$(realpath "$1")
LINUX_BUILD=$(realpath "$2")
WORK=$(mktemp -d)
trap 'kill "${SERVER_PID:-}" 2>/dev/null; [ -n "${KEEP:-}" ] && cp -r "$WORK/." "$KEEP"; rm -rf "$WORK"' EXIT

# puppeteer-core, as the lock file pins it; it downloads no browser.
if [ ! -e "$here/node_modules/.package-lock.json" ] ||
   [ "$here/package-lock.json" -nt "$here/node_modules/.package-lock.json" ]; then
  npm ci --prefix "$here" --no-audit --no-fund --silent || exit 1
fi

# The Linux build's ES pictures at the poses the browser draws (page.mjs):
# the structure and its shadow, and the sky's corner at the horizon.
for pose in ground:-3,7,2,225,-22 sky:0,60,0,90,0; do
  (cd "$WORK" && env -u DISPLAY timeout 120 "$LINUX_BUILD/emberwight" 320 240 0 --gles --headless \
    --frames 30 --fixed-dt 0.05 --camera "${pose#*:}" --screenshot "linux-${pose%%:*}.png" \
    >linux.log 2>&1) || { cat "$WORK/linux.log"; exit 1; }
done

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$WEB_BUILD" >"$WORK/server.log" 2>&1 &
SERVER_PID=$!
for _ in $(seq 1 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
  sleep 0.1
done

# The large files, gzipped beside themselves: each unpacks to the same bytes.
gzipped=0
for file in emberwight.wasm emberwight.data emberwight.js; do
  if gzip -dc "$WEB_BUILD/$file.gz" 2>/dev/null | cmp -s - "$WEB_BUILD/$file"; then
    echo "ok: $file.gz unpacks to $file"
  else
    echo "FAIL: $file.gz is not $file gzipped"
    gzipped=1
  fi
done

node "$here/page.mjs" "http://127.0.0.1:$port/" "$WORK" "$LINUX_BUILD/tools/pngstat"
status=$?
[ "$gzipped" = 0 ] || exit 1
exit "$status"
