#!/usr/bin/env bash
# Dear ImGui, its core as libimgui.a; its GLFW and OpenGL 3 back ends are
# installed as sources, which the demo builds itself as on Linux.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source imgui)
cd "$src" || exit
lib_archive imgui -I. -- imgui.cpp imgui_draw.cpp imgui_tables.cpp imgui_widgets.cpp
mkdir -p "$CROSS_PREFIX/include/imgui/backends"
cp imconfig.h imgui.h imgui_internal.h imstb_*.h "$CROSS_PREFIX/include/imgui/"
cp backends/imgui_impl_glfw.* backends/imgui_impl_opengl3.* backends/imgui_impl_opengl3_loader.h \
  "$CROSS_PREFIX/include/imgui/backends/"
