# shellcheck shell=bash
# Unpacks Debian's source packages for the cross-builds (sourced, not run).
# The sourcing script sets DEBIAN_SOURCE_CACHE, the folder that holds the
# private apt state, and DEBIAN_SOURCE_WORK, where the packages are unpacked.
: "${DEBIAN_SOURCE_CACHE:?set by the sourcing script}"

# A private apt configuration: the deb-src lines of the Debian archive this
# machine already uses, with their own lists, so the machine's sources, lists
# and caches stay as they are.
apt_dir=$DEBIAN_SOURCE_CACHE/apt
apt_options=(
  -o Dir::Etc::SourceList="$apt_dir/sources.list"
  -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$apt_dir/lists"
  -o Dir::Cache="$apt_dir/cache"
  -o APT::Sandbox::User="$(id -un)"
)

# Every enabled `deb` entry of the machine, as deb-src.
apt_source_lines() {
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
apt_update_sources() {
  [ -n "$(find "$apt_dir/updated" -mmin -60 2>/dev/null)" ] && return 0
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  # The release itself: its point releases carry the security fixes too, and
  # the security archive serves no sources here.
  apt_source_lines | awk -v c="$codename" '$0 ~ (" " c " ") && !seen[$0]++' \
    > "$apt_dir/sources.list"
  if [ ! -s "$apt_dir/sources.list" ]; then
    echo "No Debian $codename archive found in the machine's apt sources" >&2
    return 1
  fi
  apt-get "${apt_options[@]}" update -qq
  touch "$apt_dir/updated"
}

# Unpacks Debian's source package $1 under the work folder and prints the
# unpacked folder. A fresh copy every time: Debian's patches are applied by
# dpkg-source, ours by the library's recipe.
debian_source() {
  local package=$1 dir=${DEBIAN_SOURCE_WORK:?set by the sourcing script}/$1
  apt_update_sources
  rm -rf "$dir" && mkdir -p "$dir"
  (cd "$dir" && apt-get "${apt_options[@]}" source -qq "$package" >&2)
  local unpacked
  unpacked=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  [ -n "$unpacked" ] || { echo "apt-get source $package unpacked nothing" >&2; return 1; }
  echo "$unpacked"
}
