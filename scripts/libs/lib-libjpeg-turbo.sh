#!/usr/bin/env bash
# libjpeg-turbo's libjpeg, static (FreeImage's JPEG codec). Without its SIMD
# code, which would need nasm: the decoded pixels are the same. The type sizes
# are given, not probed: CMake's probe misreads wasm objects.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source libjpeg-turbo)
lib_cmake "$src" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DHAVE_SIZE_T=TRUE -DSIZE_T="$TARGET_SIZEOF_SIZE_T" -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG="$TARGET_SIZEOF_LONG"
