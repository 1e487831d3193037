#!/usr/bin/env bash
# Cross-builds the libraries the browser build links, with Debian's Emscripten
# from Debian's source packages, into a cache outside the clone keyed by these
# scripts' contents, so a machine builds them once. Prints the prefix
# (include/, lib/) on stdout. Progress goes to stderr, each library's output
# to a log beside the prefix. GLFW is Emscripten's own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
libraries=(zlib minizip libjpeg-turbo freeimage glm assimp imgui nlohmann-json)

key=$( (cat "$here"/../{debian-source,cross-build}.sh "$here"/{common,emscripten-env,build-libs}.sh "$here"/lib-*.sh; \
  emcc --version | head -n 1) \
  | sha256sum | cut -c1-16)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/emberwight
export WEB_CACHE=$cache/web-sources
export WEB_PREFIX=$cache/web-$key
if [ -e "$WEB_PREFIX/.complete" ]; then echo "$WEB_PREFIX"; exit 0; fi

source "$here/../cross-build.sh"
cross_build_all "$WEB_PREFIX" "$here" " for the browser" "${libraries[@]}"
rm -rf "$WEB_CACHE/work"
touch "$WEB_PREFIX/.complete"
echo "$WEB_PREFIX"
