#!/usr/bin/env bash
# GLEW, its one glew.c compiled with GLEW_STATIC into libglew32.a.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source glew)
cd "$src" || exit
lib_archive glew32 -DGLEW_STATIC -DGLEW_NO_GLU -Iinclude -- src/glew.c
mkdir -p "$CROSS_PREFIX/include/GL"
cp include/GL/glew.h include/GL/wglew.h "$CROSS_PREFIX/include/GL/"
