#!/usr/bin/env bash
# Dear ImGui, its core as libimgui.a; its GLFW and OpenGL 3 back ends are
# installed as sources, which the demo builds itself as on Linux.
source "$(dirname "$0")/common.sh"
src=$(debian_source imgui)
build=$WIN_CACHE/work/imgui/build
mkdir -p "$build" "$WIN_PREFIX/include/imgui/backends" "$WIN_PREFIX/lib"
for unit in imgui imgui_draw imgui_tables imgui_widgets; do
  $CXX -O2 -I"$src" -c "$src/$unit.cpp" -o "$build/$unit.o"
done
rm -f "$WIN_PREFIX/lib/libimgui.a"
$AR rcs "$WIN_PREFIX/lib/libimgui.a" "$build"/*.o
cp "$src"/imconfig.h "$src"/imgui.h "$src"/imgui_internal.h "$src"/imstb_*.h "$WIN_PREFIX/include/imgui/"
cp "$src"/backends/imgui_impl_glfw.* "$src"/backends/imgui_impl_opengl3.* \
   "$src"/backends/imgui_impl_opengl3_loader.h "$WIN_PREFIX/include/imgui/backends/"
