#!/usr/bin/env bash
# make windows: the cached libraries (cross-built once per machine), then
# emberwight.exe in BUILD_DIR (default build-windows).
#   build.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
bash scripts/setup.sh --windows
prefix=$(bash scripts/build-libs.sh windows)
# Another set of libraries (the scripts changed): configure afresh, or cached
# library paths would still name the old ones.
if [ -e "$build/CMakeCache.txt" ] && ! grep -qx "EMBERWIGHT_WINDOWS_PREFIX:PATH=$prefix" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
if [ ! -e "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/windows/mingw-w64.cmake" \
    -DEMBERWIGHT_WINDOWS_PREFIX:PATH="$prefix"
fi
cmake --build "$build" -j "$(nproc)"
