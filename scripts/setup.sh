#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Each package is
# checked with dpkg first, so a machine that has them all makes no network call.
#   setup.sh            what building, running and testing need
#   setup.sh --gallery  that, and what `make gallery` needs besides (the
#                       animated picture's encoder)
#   setup.sh --windows  that, and what the Windows cross-build, its Wine tests
#                       and `make dist` need besides
#   setup.sh --web      that, and what the browser build and its tests need
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libglfw3-dev libglew-dev libglm-dev libfreeimage-dev libassimp-dev freeglut3-dev
  libgtest-dev glslang-tools
  xvfb xauth xdotool libgl1-mesa-dri x11-utils openbox
  libegl-dev libegl-mesa0  # --headless
  libimgui-dev nlohmann-json3-dev  # the settings panel and its files
  libopenal-dev  # the fire's sound (OpenAL Soft)
)
gallery_packages=(webp)  # img2webp
# mingw-w64 with posix threads (std::thread), Wine to run the result, dpkg-dev
# for `apt-get source`, utf8cpp headers for Assimp, zip for the archive.
windows_packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 dpkg-dev
  libutfcpp-dev zip unzip patch
)
# Debian's Emscripten (its emcc needs node-acorn), dpkg-dev, utf8cpp and patch
# for the libraries' sources, Chromium for the tests, zip for the archive.
web_packages=(emscripten node-acorn dpkg-dev libutfcpp-dev patch chromium zip unzip)
case "${1:-}" in
  --gallery) packages+=("${gallery_packages[@]}") ;;
  --windows) packages+=("${windows_packages[@]}") ;;
  --web)
    packages+=("${web_packages[@]}")
    # The browser tests' driver comes from the npm registry (tests/web/).
    command -v npm >/dev/null || packages+=(npm)
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
