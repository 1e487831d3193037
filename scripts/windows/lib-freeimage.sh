#!/usr/bin/env bash
# FreeImage's core, static, with the codecs the demo's files need: PNG and JPEG
# against the cross-built libpng, libjpeg-turbo and zlib, TGA and the other
# formats FreeImage reads on its own. Debian's source has the bundled codecs
# removed; the plugins that would need them (TIFF, G3, EXR, J2K, JP2, RAW, WebP,
# JXR) stay registered without load or save functions, because a
# FREE_IMAGE_FORMAT number is a position in the plugin list.
source "$(dirname "$0")/common.sh"
src=$(debian_source freeimage)
build=$WIN_CACHE/work/freeimage/build
mkdir -p "$build"
cd "$src/Source"

freeimage_without __MINGW32__ TIFF G3 EXR J2K JP2 RAW WEBP JXR

printf '%s\n' "${FREEIMAGE_SOURCES[@]}" | xargs -P "$WIN_JOBS" -I{} sh -c \
  'o="$1/$(echo "$2" | tr / _).o"; $CXX -O2 -DNDEBUG -DFREEIMAGE_LIB -w \
     -I. -IMetadata -IFreeImageToolkit -I"$3/include" -c "$2" -o "$o"' _ "$build" {} "$WIN_PREFIX"
rm -f "$WIN_PREFIX/lib/libfreeimage.a"
$AR rcs "$WIN_PREFIX/lib/libfreeimage.a" "$build"/*.o
cp FreeImage.h "$WIN_PREFIX/include/"
