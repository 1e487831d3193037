# shellcheck shell=bash disable=SC2034  # the TARGET_ variables are read by the recipes
# The browser target of the library cross-builds (scripts/build-libs.sh):
# Debian's Emscripten and what the recipes in scripts/libs/ ask of a target.
# Sourced by the driver and by each recipe. GLFW is Emscripten's own.
source "$(dirname "${BASH_SOURCE[0]}")/../cross-build.sh"
TARGET_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TARGET_LIBRARIES=(zlib minizip libjpeg-turbo freeimage glm assimp imgui nlohmann-json)
TARGET_FOR=" for the browser"  # the progress line's ending
TARGET_INPUTS=("$TARGET_DIR/emscripten-env.sh")  # besides this file, what the cache key hashes

source "$TARGET_DIR/emscripten-env.sh"
export CC=emcc CXX=em++ AR=emar RANLIB=emranlib
# Wasm's own exceptions and longjmp: FreeImage's JPEG reader uses both, and
# every object of one program must agree on them.
TARGET_FLAGS=(-fwasm-exceptions -sSUPPORT_LONGJMP=wasm)
TARGET_MACRO=__EMSCRIPTEN__  # the compiler's own name for the system
TARGET_SIZEOF_SIZE_T=4 TARGET_SIZEOF_LONG=4
# zlib's and minizip's file functions: POSIX's, from unistd.h.
TARGET_UNISTD=(-DHAVE_UNISTD_H)
TARGET_MINIZIP_IO=()

# A CMake project's configure step, against the prefix's libraries.
target_cmake() {
  emcmake cmake -DCMAKE_PREFIX_PATH="$CROSS_PREFIX" "$@"
}
