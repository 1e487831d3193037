#!/usr/bin/env bash
# minizip (zip archives, for Assimp) from zlib's contrib/minizip, static.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source zlib)
cd "$src/contrib/minizip" || exit
units=(ioapi mztools unzip zip "${TARGET_MINIZIP_IO[@]}")
lib_archive minizip "${TARGET_UNISTD[@]}" -I"$CROSS_PREFIX/include" -- "${units[@]/%/.c}"
mkdir -p "$CROSS_PREFIX/include/minizip" "$CROSS_PREFIX/lib/pkgconfig"
cp crypt.h "${units[@]/%/.h}" "$CROSS_PREFIX/include/minizip/"
cat > "$CROSS_PREFIX/lib/pkgconfig/minizip.pc" <<PC
prefix=$CROSS_PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: minizip
Description: Minizip zip file manipulation library
Version: $(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' ../../zlib.h)
Requires.private: zlib
Libs: -L\${libdir} -lminizip
Libs.private: -lz
Cflags: -I\${includedir}/minizip
PC
