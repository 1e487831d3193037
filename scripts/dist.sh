#!/usr/bin/env bash
# make dist: the Windows archive, the Debian package and the web page's
# archive, into dist/.
#   dist.sh LINUX_BUILD WINDOWS_BUILD WEB_BUILD
set -euo pipefail
cd "$(dirname "$0")/.."
linux=$1 windows=$2 web=$3
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$linux/CPackConfig.cmake")
mkdir -p dist
bash scripts/windows/readme.sh README.md "$linux/emberwight" "$version" > "$windows/README.txt"
(cd "$windows" && cpack -G ZIP -B "$PWD/package" >/dev/null)
(cd "$linux" && cpack -G DEB -B "$PWD/package" >/dev/null)
cp "$windows/package/emberwight-$version-windows-x64.zip" "$linux/package/emberwight_${version}_amd64.deb" dist/
# The page's static files in one folder, for any web server.
page=emberwight-$version-web
rm -rf "$web/package" "dist/$page.zip"
mkdir -p "$web/package/$page"
cp "$web"/{index.html,page.js,page.css} "$web"/emberwight.{js,wasm,data}{,.gz} "$web/package/$page/"
(cd "$web/package" && zip -qrX9 "$OLDPWD/dist/$page.zip" "$page")
ls -l "dist/emberwight-$version-windows-x64.zip" "dist/emberwight_${version}_amd64.deb" "dist/$page.zip"
