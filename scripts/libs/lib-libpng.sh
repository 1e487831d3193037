#!/usr/bin/env bash
# libpng, static, against the cross-built zlib (FreeImage's PNG codec).
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source libpng1.6)
lib_cmake "$src" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_ROOT="$CROSS_PREFIX"
