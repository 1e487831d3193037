#!/usr/bin/env bash
# Cross-builds the libraries a target links (windows or web), from Debian's
# source packages, into a cache outside the clone, so a machine builds them
# once. The cache is keyed by the files that define the build: this driver,
# the shared helpers, the target's file and what it names, the recipes of its
# libraries and its compiler's version; editing any of them builds afresh.
# Prints the prefix (include/, lib/) on stdout. Progress goes to stderr, each
# library's output to a log beside the prefix.
#   build-libs.sh windows|web
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
target=${1:?windows or web}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/emberwight
export DEBIAN_SOURCE_CACHE=$cache
export CROSS_TARGET=$scripts/$target/target.sh
# shellcheck source=scripts/windows/target.sh  # or the web's
source "$CROSS_TARGET"

key=$( {
  cat "$scripts"/{build-libs,cross-build,debian-source}.sh "$CROSS_TARGET" "${TARGET_INPUTS[@]}"
  for library in "${TARGET_LIBRARIES[@]}"; do cat "$scripts/libs/lib-$library.sh"; done
  "$CXX" --version | sed -n 1p
} | sha256sum | cut -c1-16)
export CROSS_PREFIX=$cache/$target-$key
export CROSS_WORK=$CROSS_PREFIX.work
export DEBIAN_SOURCE_WORK=$CROSS_WORK
if [ -e "$CROSS_PREFIX/.complete" ]; then echo "$CROSS_PREFIX"; exit 0; fi

mkdir -p "$CROSS_PREFIX/logs"
for library in "${TARGET_LIBRARIES[@]}"; do
  log=$CROSS_PREFIX/logs/$library.log
  [ -e "$CROSS_PREFIX/logs/$library.done" ] && continue
  echo "Cross-building $library$TARGET_FOR (log: $log)" >&2
  if ! bash "$scripts/libs/lib-$library.sh" > "$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "Cross-building $library failed; its log: $log" >&2
    exit 1
  fi
  touch "$CROSS_PREFIX/logs/$library.done"
done
rm -rf "$CROSS_WORK"
touch "$CROSS_PREFIX/.complete"
echo "$CROSS_PREFIX"
