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
