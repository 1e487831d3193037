#!/usr/bin/env bash
# GLM: headers only.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source glm)
copy_headers "$src/glm" "$CROSS_PREFIX/include/glm"
