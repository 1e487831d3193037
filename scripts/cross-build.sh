# Shared by the Windows and browser cross-builds (sourced, not run): the
# driver that builds each library once into a cached prefix, and the recipes
# both make alike.

# cross_build_all PREFIX SCRIPTS_DIR WHAT LIBRARY... : runs SCRIPTS_DIR/lib-LIBRARY.sh
# for each library not yet built into PREFIX, its output to a log beside it.
# WHAT ends the progress line (" for the browser").
cross_build_all() {
  local prefix=$1 scripts=$2 what=$3 library
  shift 3
  mkdir -p "$prefix/logs"
  for library in "$@"; do
    [ -e "$prefix/logs/$library.done" ] && continue
    echo "Cross-building $library$what (log: $prefix/logs/$library.log)" >&2
    if ! bash "$scripts/lib-$library.sh" > "$prefix/logs/$library.log" 2>&1; then
      tail -n 30 "$prefix/logs/$library.log" >&2
      echo "Cross-building $library failed; its log: $prefix/logs/$library.log" >&2
      return 1
    fi
    touch "$prefix/logs/$library.done"
  done
}

# In FreeImage's Source/ folder: the plugins of the formats named (as their
# Init functions spell them, e.g. WEBP) stay registered without load or save
# functions, because a FREE_IMAGE_FORMAT number is a position in the plugin
# list; a static library initialises on start-up where `system` (a compiler's
# macro) is defined, as the shared one does on Linux. Sets FREEIMAGE_SOURCES
# to the files to compile: the core without the absent plugins' own.
freeimage_without() {
  local system=$1 format source
  shift
  for format in "$@"; do
    sed -i "s/s_plugins->AddNode(Init$format);/s_plugins->AddNode(InitAbsent, NULL, \"$format\");/" FreeImage/Plugin.cpp
    grep -q "AddNode(InitAbsent, NULL, \"$format\")" FreeImage/Plugin.cpp
  done
  sed -i 's|^#include "Plugin.h"$|&\nstatic void DLL_CALLCONV InitAbsent(Plugin *, int) {}|' FreeImage/Plugin.cpp
  sed -i "/^#else \/\/ !_WIN32/{n;s/^#ifndef FREEIMAGE_LIB\$/#if !defined(FREEIMAGE_LIB) || defined($system)/}" FreeImage/FreeImage.cpp
  grep -q "defined($system)\$" FreeImage/FreeImage.cpp

  local skip=" FreeImage/J2KHelper.cpp Metadata/XTIFF.cpp FreeImageToolkit/JPEGTransform.cpp "
  for format in "$@"; do
    [ "$format" = WEBP ] && format=WebP  # its file's spelling
    skip+=" FreeImage/Plugin$format.cpp "
  done
  FREEIMAGE_SOURCES=()
  for source in FreeImage/*.cpp Metadata/*.cpp FreeImageToolkit/*.cpp; do
    [[ $skip == *" $source "* ]] || FREEIMAGE_SOURCES+=("$source")
  done
}

# copy_headers SOURCE_DIR PREFIX/include/NAME : a header-only library's
# headers, and nothing else of its tree.
copy_headers() {
  rm -rf "$2"
  mkdir -p "$(dirname "$2")"
  cp -r "$1" "$2"
  find "$2" -type f ! -name '*.h' ! -name '*.hpp' ! -name '*.inl' -delete
}
