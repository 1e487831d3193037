#!/usr/bin/env bash
# FreeImage's core, static, with the codecs the demo's files need: JPEG against
# the cross-built libjpeg-turbo and zlib, PNG against libpng where the target
# builds it, TGA and the other formats FreeImage reads on its own. Debian's
# source has the bundled codecs removed; the plugins that would need them stay
# registered without load or save functions, because a FREE_IMAGE_FORMAT
# number is a position in the plugin list.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source freeimage)
cd "$src/Source" || exit
absent=(TIFF G3 EXR J2K JP2 RAW WEBP JXR)  # as their Init functions spell them
[[ " ${TARGET_LIBRARIES[*]} " == *" libpng "* ]] || absent+=(PNG)

sed -i 's|^#include "Plugin.h"$|&\nstatic void DLL_CALLCONV InitAbsent(Plugin *, int) {}|' FreeImage/Plugin.cpp
skip=" FreeImage/J2KHelper.cpp Metadata/XTIFF.cpp FreeImageToolkit/JPEGTransform.cpp "
for format in "${absent[@]}"; do
  sed -i "s/s_plugins->AddNode(Init$format);/s_plugins->AddNode(InitAbsent, NULL, \"$format\");/" FreeImage/Plugin.cpp
  grep -q "AddNode(InitAbsent, NULL, \"$format\")" FreeImage/Plugin.cpp
  [ "$format" = WEBP ] && format=WebP  # its file's spelling
  skip+=" FreeImage/Plugin$format.cpp "
done
# A static library initialises on start-up on this system too, as the shared
# one does on Linux.
sed -i "/^#else \/\/ !_WIN32/{n;s/^#ifndef FREEIMAGE_LIB\$/#if !defined(FREEIMAGE_LIB) || defined($TARGET_MACRO)/}" FreeImage/FreeImage.cpp
grep -q "defined($TARGET_MACRO)\$" FreeImage/FreeImage.cpp

sources=()
for source in FreeImage/*.cpp Metadata/*.cpp FreeImageToolkit/*.cpp; do
  [[ $skip == *" $source "* ]] || sources+=("$source")
done
lib_archive freeimage -DNDEBUG -DFREEIMAGE_LIB -w -I. -IMetadata -IFreeImageToolkit -I"$CROSS_PREFIX/include" \
  -- "${sources[@]}"
cp FreeImage.h "$CROSS_PREFIX/include/"
