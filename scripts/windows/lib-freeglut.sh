#!/usr/bin/env bash
# freeglut, static (libfreeglut_static.a; users define FREEGLUT_STATIC).
source "$(dirname "$0")/common.sh"
src=$(debian_source freeglut)
win_cmake "$src" "$WIN_CACHE/work/freeglut/build" \
  -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF \
  -DFREEGLUT_GLES=OFF
