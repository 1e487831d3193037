#!/usr/bin/env bash
# nlohmann-json: headers only.
source "$(dirname "$0")/common.sh"
src=$(debian_source nlohmann-json3)
mkdir -p "$WIN_PREFIX/include"
rm -rf "$WIN_PREFIX/include/nlohmann"
cp -r "$src/include/nlohmann" "$WIN_PREFIX/include/"
