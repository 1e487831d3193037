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

# A private apt configuration: the deb-src lines of the Debian archive this
# machine already uses, with their own lists, so the machine's sources, lists
# and caches stay as they are.
win_apt_dir=$WIN_CACHE/apt
win_apt_options=(
  -o Dir::Etc::SourceList="$win_apt_dir/sources.list"
  -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$win_apt_dir/lists"
  -o Dir::Cache="$win_apt_dir/cache"
  -o APT::Sandbox::User="$(id -un)"
)

# Every enabled `deb` entry of the machine, as deb-src.
win_apt_source_lines() {
  {
    cat /etc/apt/sources.list 2>/dev/null || true
    for f in /etc/apt/sources.list.d/*.list; do if [ -e "$f" ]; then cat "$f"; fi; done
  } | awk '$1 == "deb" { sub(/^deb/, "deb-src"); print }'
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    awk 'function flush() {
           if (types ~ /(^| )deb( |$)/ && enabled != "no")
             for (u = 1; u <= nu; u++) for (s = 1; s <= ns; s++)
               printf "deb-src%s %s %s %s\n", (key ? " [signed-by=" key "]" : ""), uris[u], suites[s], comps
           types = ""; key = ""; comps = ""; enabled = ""; nu = 0; ns = 0 }
         /^[ \t]*$/ { flush(); next }
         /^#/ { next }
         { field = tolower($1); $1 = "" ; sub(/^ /, "") }
         field == "types:" { types = $0 }
         field == "uris:" { nu = split($0, uris, " ") }
         field == "suites:" { ns = split($0, suites, " ") }
         field == "components:" { comps = $0 }
         field == "signed-by:" { key = $0 }
         field == "enabled:" { enabled = tolower($0) }
         END { flush() }' "$f"
  done
}

# Lists older than an hour are fetched again: the archive drops the files of
# superseded versions.
win_apt_update() {
  [ -n "$(find "$win_apt_dir/updated" -mmin -60 2>/dev/null)" ] && return 0
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$win_apt_dir/lists/partial" "$win_apt_dir/cache/archives/partial"
  # The release itself: its point releases carry the security fixes too, and
  # the security archive serves no sources here.
  win_apt_source_lines | awk -v c="$codename" '$0 ~ (" " c " ") && !seen[$0]++' \
    > "$win_apt_dir/sources.list"
  if [ ! -s "$win_apt_dir/sources.list" ]; then
    echo "No Debian $codename archive found in the machine's apt sources" >&2
    return 1
  fi
  apt-get "${win_apt_options[@]}" update -qq
  touch "$win_apt_dir/updated"
}

# Unpacks Debian's source package $1 under the work folder and prints the
# unpacked folder. A fresh copy every time: Debian's patches are applied by
# dpkg-source, ours by the library script.
win_source() {
  local package=$1 dir=$WIN_CACHE/work/$1
  win_apt_update
  rm -rf "$dir" && mkdir -p "$dir"
  (cd "$dir" && apt-get "${win_apt_options[@]}" source -qq "$package" >&2)
  local unpacked
  unpacked=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  [ -n "$unpacked" ] || { echo "apt-get source $package unpacked nothing" >&2; return 1; }
  echo "$unpacked"
}

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
