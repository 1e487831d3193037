#!/usr/bin/env bash
# The Debian package: its control data declares the libraries the program
# runs with, and unpacked into a root of its own the program finds its data
# beside its bin/ from any working directory, with no EMBERWIGHT_ROOT.
#   deb.sh DEB LINUX_BUILD_DIR
set -uo pipefail
DEB=$(realpath "$1")
LINUX_BUILD=$(realpath "$2")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
PASSED=0 FAILURES=0
check() {
    local what="$1"; shift
    if "$@"; then echo "ok: $what"; PASSED=$((PASSED + 1)); else echo "FAIL: $what"; FAILURES=$((FAILURES + 1)); fi
}

depends=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $depends"
for library in libglfw3 libglew libassimp libfreeimage libglut libegl1 libopenal1 libstdc++6 libc6; do
    check "Depends names $library" grep -q "$library" <<<"$depends"
done
check "the package is for amd64" [ "$(dpkg-deb -f "$DEB" Architecture)" = amd64 ]

dpkg -x "$DEB" "$WORK/root"
check "the program is in /usr/bin" [ -x "$WORK/root/usr/bin/emberwight" ]
check "the shaders are in /usr/share/emberwight" [ -f "$WORK/root/usr/share/emberwight/GraphicsEngine/Shader/BaseShader.frag" ]
check "the models are in /usr/share/emberwight" [ -f "$WORK/root/usr/share/emberwight/resources/models/skybox.obj" ]

status=$(cd / && env -u EMBERWIGHT_ROOT timeout 300 "$WORK/root/usr/bin/emberwight" 320 240 0 --headless \
    --frames 3 --fixed-dt 0.02 --screenshot "$WORK/shot.png" </dev/null >"$WORK/run.log" 2>&1; echo $?)
check "run from / with --headless, exits with 0 (got $status)" [ "$status" = 0 ]
check "it read its shaders from the package's data" grep -q "$WORK/root/usr/share/emberwight/GraphicsEngine/Shader/" "$WORK/run.log"
check "it wrote a picture" [ "$("$LINUX_BUILD/tools/pngstat" size "$WORK/shot.png" 2>/dev/null)" = 320x240 ]

echo "deb: $PASSED passed, $FAILURES failed"
[ "$FAILURES" -eq 0 ]
