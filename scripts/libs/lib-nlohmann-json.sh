#!/usr/bin/env bash
# nlohmann-json: headers only.
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source nlohmann-json3)
copy_headers "$src/include/nlohmann" "$CROSS_PREFIX/include/nlohmann"
