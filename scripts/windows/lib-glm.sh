#!/usr/bin/env bash
# GLM: headers only.
source "$(dirname "$0")/common.sh"
src=$(debian_source glm)
copy_headers "$src/glm" "$WIN_PREFIX/include/glm"
