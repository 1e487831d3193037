#!/usr/bin/env bash
# OpenAL Soft as a DLL, OpenAL32.dll with its import library: its licence, the
# LGPL, wants the user able to replace it, so it is not linked in. The
# system's own outputs only (WASAPI, DirectSound, WinMM, besides the null
# and loopback devices it always has); no examples, utilities or tests. The
# C++ runtime and winpthread are linked into it, so it imports system DLLs
# only. Its licence texts go to share/licences/openal-soft/.
#
# Taken from Debian 13's source package: the archive serves no source
# tarball of Debian 12's (1.19.1), only its .dsc. The upstream tarball is
# fetched by itself, checked against the hash that Debian 13's signed source
# index gives for it; Debian's packaging concerns its Linux build alone.
# shellcheck source=scripts/windows/target.sh
source "${CROSS_TARGET:?the target file, set by build-libs.sh}"
release=trixie

# Debian 13's source index, in an apt state of its own beside the release's.
state=$DEBIAN_SOURCE_CACHE/apt-$release
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
mkdir -p "$state/lists/partial" "$state/cache/archives/partial"
apt_source_lines | awk -v c=" $codename " -v r=" $release " \
  'index($0, c) && !seen[$0]++ { sub(c, r); print }' > "$state/sources.list"
[ -s "$state/sources.list" ] || { echo "No Debian archive found in the machine's apt sources" >&2; exit 1; }
options=(
  -o Dir::Etc::SourceList="$state/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$state/lists" -o Dir::Cache="$state/cache"
  -o APT::Sandbox::User="$(id -un)"
)
apt-get "${options[@]}" update -qq
# 'URL' FILE SIZE SHA256:HASH, for the .orig tarball.
read -r url file _ hash < <(apt-get "${options[@]}" source --print-uris openal-soft | grep "\.orig\.tar\.")
[ -n "${hash:-}" ] || { echo "Debian $release's openal-soft names no upstream tarball" >&2; exit 1; }
work=$CROSS_WORK/openal-soft
rm -rf "$work" && mkdir -p "$work"
/usr/lib/apt/apt-helper "${options[@]}" download-file "${url//\'/}" "$work/$file" "$hash"
tar -xf "$work/$file" -C "$work"
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)

target_cmake -S "$src" -B "$work/build" -G "Unix Makefiles" \
  -DCMAKE_INSTALL_PREFIX="$CROSS_PREFIX" -DCMAKE_BUILD_TYPE=Release -DLIBTYPE=SHARED \
  -DALSOFT_UTILS=OFF -DALSOFT_NO_CONFIG_UTIL=ON -DALSOFT_EXAMPLES=OFF -DALSOFT_TESTS=OFF \
  -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF \
  -DALSOFT_INSTALL_EXAMPLES=OFF -DALSOFT_INSTALL_UTILS=OFF -DALSOFT_UPDATE_BUILD_VERSION=OFF \
  -DALSOFT_EAX=OFF -DALSOFT_EMBED_HRTF_DATA=OFF \
  -DALSOFT_BACKEND_WASAPI=ON -DALSOFT_REQUIRE_WASAPI=ON \
  -DALSOFT_BACKEND_DSOUND=ON -DALSOFT_REQUIRE_DSOUND=ON \
  -DALSOFT_BACKEND_WINMM=ON -DALSOFT_REQUIRE_WINMM=ON \
  -DALSOFT_BACKEND_WAVE=OFF -DALSOFT_BACKEND_PIPEWIRE=OFF -DALSOFT_BACKEND_PULSEAUDIO=OFF \
  -DALSOFT_BACKEND_JACK=OFF -DALSOFT_BACKEND_PORTAUDIO=OFF -DALSOFT_BACKEND_SNDIO=OFF \
  -DALSOFT_BACKEND_COREAUDIO=OFF -DALSOFT_BACKEND_OBOE=OFF -DALSOFT_BACKEND_OPENSL=OFF \
  -DALSOFT_STATIC_LIBGCC=ON -DALSOFT_STATIC_STDCXX=ON -DALSOFT_STATIC_WINPTHREAD=ON
cmake --build "$work/build" -j "$CROSS_JOBS"
cmake --install "$work/build" --strip

# The LGPL, and the notices of the code it carries (the pffft and fmt parts).
licences=$CROSS_PREFIX/share/licences/openal-soft
mkdir -p "$licences"
cp "$src/COPYING" "$licences/COPYING.txt"
cp "$src/BSD-3Clause" "$licences/BSD-3Clause.txt"
cp "$src/LICENSE-pffft" "$licences/LICENSE-pffft.txt"
cp "$src"/fmt-*/LICENSE "$licences/LICENSE-fmt.txt"
cat > "$licences/SOURCE.txt" <<TEXT
OpenAL32.dll is OpenAL Soft, built unmodified from ${file}
(Debian's openal-soft source package, ${url//\'/}).
Under the LGPL (COPYING.txt) you may replace it with your own build of OpenAL
Soft: put your OpenAL32.dll beside emberwight.exe in place of this one.
TEXT
