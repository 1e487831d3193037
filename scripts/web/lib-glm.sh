#!/usr/bin/env bash
# GLM: headers only.
source "$(dirname "$0")/common.sh"
src=$(debian_source glm)
mkdir -p "$WEB_PREFIX/include"
rm -rf "$WEB_PREFIX/include/glm"
cp -r "$src/glm" "$WEB_PREFIX/include/glm"
find "$WEB_PREFIX/include/glm" -type f ! -name '*.h' ! -name '*.hpp' ! -name '*.inl' -delete
