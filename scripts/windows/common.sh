# Shared by the scripts that cross-build the Windows libraries (sourced, not
# run). The driver (build-libs.sh) sets WIN_PREFIX, where a library installs
# its headers and static archives, and WIN_CACHE, the cache folder that holds
# the private apt state and the work folders.
set -euo pipefail

WIN_HOST=x86_64-w64-mingw32
WIN_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WIN_TOOLCHAIN=$WIN_SCRIPTS/mingw-w64.cmake
: "${WIN_PREFIX:?set by build-libs.sh}"
: "${WIN_CACHE:?set by build-libs.sh}"
WIN_JOBS=${WIN_JOBS:-$(nproc)}
export CC=$WIN_HOST-gcc-posix CXX=$WIN_HOST-g++-posix AR=$WIN_HOST-ar RANLIB=$WIN_HOST-ranlib
export PKG_CONFIG_PATH=$WIN_PREFIX/lib/pkgconfig
export PKG_CONFIG_LIBDIR=$WIN_PREFIX/lib/pkgconfig:/usr/$WIN_HOST/lib/pkgconfig

# Debian's source packages through a private apt state under the cache.
DEBIAN_SOURCE_CACHE=$WIN_CACHE
source "$WIN_SCRIPTS/../debian-source.sh"
source "$WIN_SCRIPTS/../cross-build.sh"

# Configures, builds and installs a CMake project into the prefix as static
# Release libraries.
win_cmake() {
  local src=$1 build=$2
  shift 2
  cmake -S "$src" -B "$build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" -DEMBERWIGHT_WINDOWS_PREFIX="$WIN_PREFIX" \
    -DCMAKE_INSTALL_PREFIX="$WIN_PREFIX" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF "$@" >&2
  cmake --build "$build" -j "$WIN_JOBS" >&2
  cmake --install "$build" >&2
}
