# shellcheck shell=bash
# What every library recipe (scripts/libs/) uses, for any target (sourced by
# a target file, scripts/windows/target.sh or scripts/web/target.sh, not run).
# The driver, scripts/build-libs.sh, sets CROSS_PREFIX, where a recipe
# installs headers and static archives, and CROSS_WORK, its scratch folder.
set -euo pipefail
CROSS_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
CROSS_JOBS=${CROSS_JOBS:-$(nproc)}
source "$CROSS_SCRIPTS/debian-source.sh"

# lib_cmake SOURCE_DIR CMAKE_ARG... : configures, builds and installs a CMake
# project into the prefix as static Release libraries, with the target's
# flags (and LIB_CXXFLAGS, where set, for C++).
lib_cmake() {
  local src=$1 build
  build=$(dirname "$1")/build
  shift
  local cxxflags=("${TARGET_FLAGS[@]}")
  if [ -n "${LIB_CXXFLAGS:-}" ]; then cxxflags+=("$LIB_CXXFLAGS"); fi
  target_cmake -S "$src" -B "$build" -G "Unix Makefiles" \
    -DCMAKE_INSTALL_PREFIX="$CROSS_PREFIX" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_C_FLAGS="${TARGET_FLAGS[*]}" -DCMAKE_CXX_FLAGS="${cxxflags[*]}" "$@" >&2
  cmake --build "$build" -j "$CROSS_JOBS" >&2
  cmake --install "$build" >&2
}

# lib_archive NAME FLAG... -- SOURCE... : compiles the C and C++ files (paths
# from the current folder) in parallel, with -O2, the target's flags and the
# FLAGs, into the prefix's lib/libNAME.a; for sources without a build system
# that makes a static library of them alone.
lib_archive() {
  local name=$1 objects=$CROSS_WORK/objects/$1 flags=(-O2 "${TARGET_FLAGS[@]}")
  shift
  while [ "$1" != -- ]; do flags+=("$1"); shift; done
  shift
  rm -rf "$objects"
  mkdir -p "$objects" "$CROSS_PREFIX/lib"
  # shellcheck disable=SC2016  # expanded by sh, once per file
  printf '%s\n' "$@" | xargs -P "$CROSS_JOBS" -I{} sh -c \
    'objects=$1 file=$2; shift 2; case "$file" in *.c) compiler=$CC ;; *) compiler=$CXX ;; esac
     $compiler "$@" -c "$file" -o "$objects/$(echo "$file" | tr / _).o"' \
    _ "$objects" {} "${flags[@]}"
  rm -f "$CROSS_PREFIX/lib/lib$name.a"
  "$AR" rcs "$CROSS_PREFIX/lib/lib$name.a" "$objects"/*.o
}

# copy_headers SOURCE_DIR PREFIX/include/NAME : a header-only library's
# headers, and nothing else of its tree.
copy_headers() {
  rm -rf "$2"
  mkdir -p "$(dirname "$2")"
  cp -r "$1" "$2"
  find "$2" -type f ! -name '*.h' ! -name '*.hpp' ! -name '*.inl' -delete
}
