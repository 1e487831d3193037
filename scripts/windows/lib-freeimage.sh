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

absent=(TIFF G3 EXR J2K JP2 RAW WEBP JXR)
for format in "${absent[@]}"; do
  sed -i "s/s_plugins->AddNode(Init$format);/s_plugins->AddNode(InitAbsent, NULL, \"$format\");/" FreeImage/Plugin.cpp
  grep -q "AddNode(InitAbsent, NULL, \"$format\")" FreeImage/Plugin.cpp
done
sed -i 's|^#include "Plugin.h"$|&\nstatic void DLL_CALLCONV InitAbsent(Plugin *, int) {}|' FreeImage/Plugin.cpp
# A static library on MinGW gets no initialisation; initialise on start-up as
# the shared library does on Linux.
sed -i '/^#else \/\/ !_WIN32/{n;s/^#ifndef FREEIMAGE_LIB$/#if !defined(FREEIMAGE_LIB) || defined(__MINGW32__)/}' FreeImage/FreeImage.cpp
grep -q 'defined(__MINGW32__)$' FreeImage/FreeImage.cpp

sources=(FreeImage/*.cpp Metadata/*.cpp FreeImageToolkit/*.cpp)
skip=" FreeImage/J2KHelper.cpp Metadata/XTIFF.cpp FreeImageToolkit/JPEGTransform.cpp "
for format in TIFF G3 EXR J2K JP2 RAW WebP JXR; do skip+=" FreeImage/Plugin$format.cpp "; done
kept=()
for s in "${sources[@]}"; do [[ $skip == *" $s "* ]] || kept+=("$s"); done

printf '%s\n' "${kept[@]}" | xargs -P "$WIN_JOBS" -I{} sh -c \
  'o="$1/$(echo "$2" | tr / _).o"; $CXX -O2 -DNDEBUG -DFREEIMAGE_LIB -D_WIN32_WINNT=0x0601 -w \
     -I. -IMetadata -IFreeImageToolkit -I"$3/include" -c "$2" -o "$o"' _ "$build" {} "$WIN_PREFIX"
rm -f "$WIN_PREFIX/lib/libfreeimage.a"
$AR rcs "$WIN_PREFIX/lib/libfreeimage.a" "$build"/*.o
cp FreeImage.h "$WIN_PREFIX/include/"
