#!/usr/bin/env bash
# GLFW 3, static (libglfw3.a).
source "$(dirname "$0")/common.sh"
src=$(debian_source glfw3)
win_cmake "$src" "$WIN_CACHE/work/glfw3/build" \
  -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
