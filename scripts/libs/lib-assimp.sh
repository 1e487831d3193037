#!/usr/bin/env bash
# Assimp, static, with its OBJ importer only and no exporters, against the
# cross-built zlib and minizip and Debian's utf8cpp headers (libutfcpp-dev).
# shellcheck source=scripts/windows/target.sh  # or the web's, as build-libs.sh says
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
src=$(debian_source assimp)
# Debian links its own libdraco (glTF compression), which no OBJ needs.
patch -d "$src" -p1 -R -s < "$src/debian/patches/use-system-libdraco.patch"
LIB_CXXFLAGS=-I/usr/include/utf8cpp lib_cmake "$src" \
  -DASSIMP_BUILD_ALL_IMPORTERS_BY_DEFAULT=OFF -DASSIMP_BUILD_OBJ_IMPORTER=ON \
  -DASSIMP_BUILD_ALL_EXPORTERS_BY_DEFAULT=OFF -DASSIMP_NO_EXPORT=ON \
  -DASSIMP_BUILD_TESTS=OFF -DASSIMP_BUILD_ASSIMP_TOOLS=OFF -DASSIMP_BUILD_SAMPLES=OFF \
  -DASSIMP_BUILD_ZLIB=OFF -DASSIMP_BUILD_DRACO=OFF -DASSIMP_WARNINGS_AS_ERRORS=OFF \
  -DASSIMP_INSTALL_PDB=OFF -DASSIMP_BUILD_ASSIMP_VIEW=OFF -DASSIMP_DOUBLE_PRECISION=OFF \
  -DZLIB_ROOT="$CROSS_PREFIX" -DZLIB_INCLUDE_DIR="$CROSS_PREFIX/include" -DZLIB_LIBRARY="$CROSS_PREFIX/lib/libz.a"
