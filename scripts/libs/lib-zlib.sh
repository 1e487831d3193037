#!/usr/bin/env bash
# zlib as a static libz.a, compiled directly: zlib's CMake project always
# builds a shared library beside it, and Debian's source has no Windows makefile.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source zlib)
cd "$src" || exit
lib_archive z "${TARGET_UNISTD[@]}" -- adler32.c compress.c crc32.c deflate.c gzclose.c gzlib.c \
  gzread.c gzwrite.c infback.c inffast.c inflate.c inftrees.c trees.c uncompr.c zutil.c
mkdir -p "$CROSS_PREFIX/include" "$CROSS_PREFIX/lib/pkgconfig"
cp zlib.h zconf.h "$CROSS_PREFIX/include/"
cat > "$CROSS_PREFIX/lib/pkgconfig/zlib.pc" <<PC
prefix=$CROSS_PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: zlib
Description: zlib compression library
Version: $(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' zlib.h)
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
PC
