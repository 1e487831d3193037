#!/usr/bin/env bash
# nlohmann-json: headers only.
source "$(dirname "$0")/common.sh"
src=$(debian_source nlohmann-json3)
mkdir -p "$WEB_PREFIX/include"
rm -rf "$WEB_PREFIX/include/nlohmann"
cp -r "$src/include/nlohmann" "$WEB_PREFIX/include/"
