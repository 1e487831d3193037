#!/usr/bin/env bash
# libjpeg-turbo's libjpeg, static (FreeImage's JPEG codec). Without its SIMD
# code, which would need nasm: the decoded pixels are the same.
source "$(dirname "$0")/common.sh"
src=$(debian_source libjpeg-turbo)
win_cmake "$src" "$WIN_CACHE/work/libjpeg-turbo/build" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
