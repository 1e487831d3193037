#!/usr/bin/env bash
# libjpeg-turbo's libjpeg, static (FreeImage's JPEG codec), without SIMD code:
# the decoded pixels are the same. CMake's size probe misreads wasm objects,
# so the sizes are given (wasm32).
source "$(dirname "$0")/common.sh"
src=$(debian_source libjpeg-turbo)
web_cmake "$src" "$WEB_CACHE/work/libjpeg-turbo/build" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4
