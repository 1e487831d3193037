#!/usr/bin/env bash
# Dear ImGui, its core as libimgui.a; its GLFW and OpenGL 3 back ends are
# installed as sources, which the demo builds itself as on Linux.
source "$(dirname "$0")/common.sh"
src=$(debian_source imgui)
web_archive "$WEB_PREFIX/lib/libimgui.a" "$WEB_CACHE/work/imgui/build" -I"$src" -- \
  "$src"/{imgui,imgui_draw,imgui_tables,imgui_widgets}.cpp
mkdir -p "$WEB_PREFIX/include/imgui/backends"
cp "$src"/imconfig.h "$src"/imgui.h "$src"/imgui_internal.h "$src"/imstb_*.h "$WEB_PREFIX/include/imgui/"
cp "$src"/backends/imgui_impl_glfw.* "$src"/backends/imgui_impl_opengl3.* \
   "$src"/backends/imgui_impl_opengl3_loader.h "$WEB_PREFIX/include/imgui/backends/"
