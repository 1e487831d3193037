#!/usr/bin/env bash
# GLM: headers only.
source "$(dirname "$0")/common.sh"
src=$(debian_source glm)
mkdir -p "$WIN_PREFIX/include"
rm -rf "$WIN_PREFIX/include/glm"
cp -r "$src/glm" "$WIN_PREFIX/include/glm"
find "$WIN_PREFIX/include/glm" -type f ! -name '*.h' ! -name '*.hpp' ! -name '*.inl' -delete
