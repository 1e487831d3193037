#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Each package is
# checked with dpkg first, so a machine that has them all makes no network call.
#   setup.sh            what building, running and testing need
#   setup.sh --gallery  that, and what `make gallery` needs besides (the
#                       animated picture's encoder)
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libglfw3-dev libglew-dev libglm-dev libfreeimage-dev libassimp-dev freeglut3-dev
  libgtest-dev glslang-tools
  xvfb xauth xdotool libgl1-mesa-dri x11-utils openbox
  libegl-dev libegl-mesa0  # --headless
)
gallery_packages=(webp)  # img2webp
if [ "${1:-}" = "--gallery" ]; then packages+=("${gallery_packages[@]}"); fi

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
