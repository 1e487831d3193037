# shellcheck shell=bash disable=SC2034  # the TARGET_ variables are read by the recipes
# The Windows target of the library cross-builds (scripts/build-libs.sh):
# mingw-w64's compilers and what the recipes in scripts/libs/ ask of a target.
# Sourced by the driver and by each recipe.
source "$(dirname "${BASH_SOURCE[0]}")/../cross-build.sh"
TARGET_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TARGET_LIBRARIES=(zlib minizip libpng libjpeg-turbo freeimage glfw glew freeglut glm assimp imgui nlohmann-json openal-soft)
TARGET_FOR=""  # the progress line's ending
TARGET_INPUTS=("$TARGET_DIR/mingw-w64.cmake")  # besides this file, what the cache key hashes

TARGET_HOST=x86_64-w64-mingw32
export CC=$TARGET_HOST-gcc-posix CXX=$TARGET_HOST-g++-posix AR=$TARGET_HOST-ar RANLIB=$TARGET_HOST-ranlib
TARGET_FLAGS=()
TARGET_MACRO=__MINGW32__  # the compiler's own name for the system
TARGET_SIZEOF_SIZE_T=8 TARGET_SIZEOF_LONG=4
# zlib's and minizip's file functions: Windows' io.h, and minizip's Win32 ones.
TARGET_UNISTD=()
TARGET_MINIZIP_IO=(iowin32)

# A CMake project's configure step, against the prefix's libraries, then
# mingw-w64's, never the host's.
target_cmake() {
  PKG_CONFIG_PATH=$CROSS_PREFIX/lib/pkgconfig \
  PKG_CONFIG_LIBDIR=$CROSS_PREFIX/lib/pkgconfig:/usr/$TARGET_HOST/lib/pkgconfig \
    cmake -DCMAKE_TOOLCHAIN_FILE="$TARGET_DIR/mingw-w64.cmake" -DEMBERWIGHT_WINDOWS_PREFIX="$CROSS_PREFIX" "$@"
}
