#!/usr/bin/env bash
# minizip (zip archives, for Assimp) from zlib's contrib/minizip, static.
source "$(dirname "$0")/common.sh"
src=$(debian_source zlib)/contrib/minizip
web_archive "$WEB_PREFIX/lib/libminizip.a" "$WEB_CACHE/work/zlib/build-minizip" \
  -DHAVE_UNISTD_H -I"$WEB_PREFIX/include" -- "$src"/{ioapi,mztools,unzip,zip}.c
mkdir -p "$WEB_PREFIX/include/minizip"
cp "$src"/{crypt,ioapi,mztools,unzip,zip}.h "$WEB_PREFIX/include/minizip/"
