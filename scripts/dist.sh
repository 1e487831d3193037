#!/usr/bin/env bash
# make dist: the Windows archive and the Debian package, both into dist/.
#   dist.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
cd "$(dirname "$0")/.."
linux=$1 windows=$2
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$linux/CPackConfig.cmake")
mkdir -p dist
bash scripts/windows/readme.sh README.md "$linux/emberwight" "$version" > "$windows/README.txt"
(cd "$windows" && cpack -G ZIP -B "$PWD/package" >/dev/null)
(cd "$linux" && cpack -G DEB -B "$PWD/package" >/dev/null)
cp "$windows/package/emberwight-$version-windows-x64.zip" "$linux/package/emberwight_${version}_amd64.deb" dist/
ls -l "dist/emberwight-$version-windows-x64.zip" "dist/emberwight_${version}_amd64.deb"
