#!/usr/bin/env bash
# GLEW, its one glew.c compiled with GLEW_STATIC into libglew32.a.
source "$(dirname "$0")/common.sh"
src=$(debian_source glew)
build=$WIN_CACHE/work/glew/build
mkdir -p "$build" "$WIN_PREFIX/include/GL" "$WIN_PREFIX/lib"
$CC -O2 -DGLEW_STATIC -DGLEW_NO_GLU -I"$src/include" -c "$src/src/glew.c" -o "$build/glew.o"
rm -f "$WIN_PREFIX/lib/libglew32.a"
$AR rcs "$WIN_PREFIX/lib/libglew32.a" "$build/glew.o"
cp "$src/include/GL/glew.h" "$src/include/GL/wglew.h" "$WIN_PREFIX/include/GL/"
