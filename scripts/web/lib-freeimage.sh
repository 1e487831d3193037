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

absent=(PNG TIFF G3 EXR J2K JP2 RAW WEBP JXR)
for format in "${absent[@]}"; do
  sed -i "s/s_plugins->AddNode(Init$format);/s_plugins->AddNode(InitAbsent, NULL, \"$format\");/" FreeImage/Plugin.cpp
  grep -q "AddNode(InitAbsent, NULL, \"$format\")" FreeImage/Plugin.cpp
done
sed -i 's|^#include "Plugin.h"$|&\nstatic void DLL_CALLCONV InitAbsent(Plugin *, int) {}|' FreeImage/Plugin.cpp
# A static library gets no initialisation; initialise on start-up as the
# shared library does on Linux.
sed -i '/^#else \/\/ !_WIN32/{n;s/^#ifndef FREEIMAGE_LIB$/#if !defined(FREEIMAGE_LIB) || defined(__EMSCRIPTEN__)/}' FreeImage/FreeImage.cpp
grep -q 'defined(__EMSCRIPTEN__)$' FreeImage/FreeImage.cpp

sources=(FreeImage/*.cpp Metadata/*.cpp FreeImageToolkit/*.cpp)
skip=" FreeImage/J2KHelper.cpp Metadata/XTIFF.cpp FreeImageToolkit/JPEGTransform.cpp "
for format in PNG TIFF G3 EXR J2K JP2 RAW WebP JXR; do skip+=" FreeImage/Plugin$format.cpp "; done
kept=()
for s in "${sources[@]}"; do [[ $skip == *" $s "* ]] || kept+=("$s"); done

web_archive "$WEB_PREFIX/lib/libfreeimage.a" "$WEB_CACHE/work/freeimage/build" \
  -DNDEBUG -DFREEIMAGE_LIB -w -I. -IMetadata -IFreeImageToolkit -I"$WEB_PREFIX/include" -- "${kept[@]}"
cp FreeImage.h "$WEB_PREFIX/include/"
