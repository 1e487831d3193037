#!/usr/bin/env bash
# libpng, static, against the cross-built zlib (FreeImage's PNG codec).
source "$(dirname "$0")/common.sh"
src=$(debian_source libpng1.6)
win_cmake "$src" "$WIN_CACHE/work/libpng1.6/build" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_ROOT="$WIN_PREFIX"
