#!/usr/bin/env bash
# zlib as a static libz.a, compiled directly (its CMake project would build a
# shared library beside it).
source "$(dirname "$0")/common.sh"
src=$(debian_source zlib)
web_archive "$WEB_PREFIX/lib/libz.a" "$WEB_CACHE/work/zlib/build" -DHAVE_UNISTD_H -- \
  "$src"/{adler32,compress,crc32,deflate,gzclose,gzlib,gzread,gzwrite,infback,inffast,inflate,inftrees,trees,uncompr,zutil}.c
mkdir -p "$WEB_PREFIX/include"
cp "$src/zlib.h" "$src/zconf.h" "$WEB_PREFIX/include/"
