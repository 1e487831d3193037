# Shared by the scripts that cross-build the browser's libraries with Debian's
# Emscripten (sourced, not run). The driver (build-libs.sh) sets WEB_PREFIX,
# where a library installs its headers and static archives, and WEB_CACHE, the
# folder that holds the private apt state and the work folders.
set -euo pipefail

WEB_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${WEB_PREFIX:?set by build-libs.sh}"
: "${WEB_CACHE:?set by build-libs.sh}"
WEB_JOBS=${WEB_JOBS:-$(nproc)}
source "$WEB_SCRIPTS/emscripten-env.sh"
export CC=emcc CXX=em++ AR=emar RANLIB=emranlib
# Wasm's own exceptions and longjmp: FreeImage's JPEG reader uses both, and
# every object of one program must agree on them.
export WEB_FLAGS="-O2 -fwasm-exceptions -sSUPPORT_LONGJMP=wasm"

DEBIAN_SOURCE_CACHE=$WEB_CACHE
source "$WEB_SCRIPTS/../debian-source.sh"
source "$WEB_SCRIPTS/../cross-build.sh"

# Configures, builds and installs a CMake project into the prefix as static
# Release libraries.
web_cmake() {
  local src=$1 build=$2
  shift 2
  emcmake cmake -S "$src" -B "$build" -G "Unix Makefiles" \
    -DCMAKE_INSTALL_PREFIX="$WEB_PREFIX" -DCMAKE_PREFIX_PATH="$WEB_PREFIX" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS="$WEB_FLAGS" -DCMAKE_CXX_FLAGS="$WEB_FLAGS ${WEB_CXX_EXTRA:-}" \
    -DBUILD_SHARED_LIBS=OFF "$@" >&2
  cmake --build "$build" -j "$WEB_JOBS" >&2
  cmake --install "$build" >&2
}

# Compiles the C or C++ files given after -- with the flags before it into
# $1 (a static archive), in parallel.
web_archive() {
  local archive=$1 build=$2
  shift 2
  local flags=()
  while [ "$1" != "--" ]; do flags+=("$1"); shift; done
  shift
  mkdir -p "$build" "$(dirname "$archive")"
  printf '%s\n' "$@" | xargs -P "$WEB_JOBS" -I{} sh -c \
    'b=$1 f=$2; shift 2; case "$f" in *.c) c=emcc ;; *) c=em++ ;; esac
     $c $WEB_FLAGS "$@" -c "$f" -o "$b/$(echo "$f" | tr / _).o"' _ "$build" {} "${flags[@]}"
  rm -f "$archive"
  emar rcs "$archive" "$build"/*.o
}
