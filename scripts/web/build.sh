#!/usr/bin/env bash
# make web: the cached libraries (cross-built once per machine), then the page
# in BUILD_DIR (default build-web). The resources come from the Linux build's
# generator (make web runs it first).
#   build.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-web}
bash scripts/setup.sh --web
prefix=$(bash scripts/build-libs.sh web)
source scripts/web/emscripten-env.sh
# Another set of libraries (the scripts changed): configure afresh.
if [ -e "$build/CMakeCache.txt" ] && ! grep -qx "EMBERWIGHT_WEB_PREFIX:PATH=$prefix" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
if [ ! -e "$build/CMakeCache.txt" ]; then
  emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DEMBERWIGHT_WEB_PREFIX:PATH="$prefix"
fi
cmake --build "$build" -j "$(nproc)"
# The large files gzipped beside themselves too, for a server that sends a
# file's .gz to a browser that takes it (nginx's gzip_static, say); -n leaves
# out the name and time, so that one build gives the same bytes.
for file in emberwight.wasm emberwight.data emberwight.js; do
  gzip -9 -n -k -f "$build/$file"
done
