#!/usr/bin/env bash
# Cross-builds the libraries the Windows build links, from Debian's source
# packages, into a cache outside the clone keyed by these scripts' contents, so
# a machine builds them once. Prints the prefix (include/, lib/) on stdout.
# Progress goes to stderr, each library's output to a log beside the prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
libraries=(zlib minizip libpng libjpeg-turbo freeimage glfw glew freeglut glm assimp imgui nlohmann-json)

key=$(cat "$here"/../debian-source.sh "$here"/../cross-build.sh "$here"/common.sh "$here"/mingw-w64.cmake "$here"/build-libs.sh "$here"/lib-*.sh \
  | sha256sum | cut -c1-16)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/emberwight
export WIN_CACHE=$cache
export WIN_PREFIX=$cache/windows-$key
if [ -e "$WIN_PREFIX/.complete" ]; then echo "$WIN_PREFIX"; exit 0; fi

source "$here/../cross-build.sh"
cross_build_all "$WIN_PREFIX" "$here" "" "${libraries[@]}"
rm -rf "$cache/work"
touch "$WIN_PREFIX/.complete"
echo "$WIN_PREFIX"
