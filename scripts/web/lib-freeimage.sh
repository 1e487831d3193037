#!/usr/bin/env bash
# FreeImage's core, static, with the readers the demo's files need: JPEG
# against the cross-built libjpeg-turbo and zlib, TGA and the other formats
# FreeImage reads on its own. Debian's source has the bundled codecs removed;
# the plugins that would need them (PNG, TIFF, G3, EXR, J2K, JP2, RAW, WebP,
# JXR) stay registered without load or save functions, because a
# FREE_IMAGE_FORMAT number is a position in the plugin list.
source "$(dirname "$0")/common.sh"
src=$(debian_source freeimage)
cd "$src/Source"

freeimage_without __EMSCRIPTEN__ PNG TIFF G3 EXR J2K JP2 RAW WEBP JXR

web_archive "$WEB_PREFIX/lib/libfreeimage.a" "$WEB_CACHE/work/freeimage/build" \
  -DNDEBUG -DFREEIMAGE_LIB -w -I. -IMetadata -IFreeImageToolkit -I"$WEB_PREFIX/include" -- "${FREEIMAGE_SOURCES[@]}"
cp FreeImage.h "$WEB_PREFIX/include/"
