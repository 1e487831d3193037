#!/usr/bin/env bash
# minizip (zip archives, for Assimp) from zlib's contrib/minizip, static.
source "$(dirname "$0")/common.sh"
src=$(debian_source zlib)/contrib/minizip
build=$WIN_CACHE/work/zlib/build-minizip
mkdir -p "$build" "$WIN_PREFIX/include/minizip" "$WIN_PREFIX/lib/pkgconfig"
objects=()
for c in ioapi iowin32 mztools unzip zip; do
  $CC -O2 -I"$WIN_PREFIX/include" -c "$src/$c.c" -o "$build/$c.o"
  objects+=("$build/$c.o")
done
rm -f "$WIN_PREFIX/lib/libminizip.a"
$AR rcs "$WIN_PREFIX/lib/libminizip.a" "${objects[@]}"
cp "$src"/{crypt,ioapi,iowin32,mztools,unzip,zip}.h "$WIN_PREFIX/include/minizip/"
version=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$src/../../zlib.h")
cat > "$WIN_PREFIX/lib/pkgconfig/minizip.pc" <<PC
prefix=$WIN_PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: minizip
Description: Minizip zip file manipulation library
Version: $version
Requires.private: zlib
Libs: -L\${libdir} -lminizip
Libs.private: -lz
Cflags: -I\${includedir}/minizip
PC
