#!/usr/bin/env bash
# zlib as a static libz.a, compiled directly: Debian's source has no Windows
# makefile and zlib's CMake project always builds the DLL beside it.
source "$(dirname "$0")/common.sh"
src=$(debian_source zlib)
build=$WIN_CACHE/work/zlib/build
mkdir -p "$build" "$WIN_PREFIX/include" "$WIN_PREFIX/lib/pkgconfig"
objects=()
for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
         inftrees trees uncompr zutil; do
  $CC -O2 -c "$src/$c.c" -o "$build/$c.o"
  objects+=("$build/$c.o")
done
rm -f "$WIN_PREFIX/lib/libz.a"
$AR rcs "$WIN_PREFIX/lib/libz.a" "${objects[@]}"
cp "$src/zlib.h" "$src/zconf.h" "$WIN_PREFIX/include/"
version=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$src/zlib.h")
cat > "$WIN_PREFIX/lib/pkgconfig/zlib.pc" <<PC
prefix=$WIN_PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: zlib
Description: zlib compression library
Version: $version
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
PC
