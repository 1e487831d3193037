#!/usr/bin/env bash
# Starts the demo; without a display it runs under a virtual one.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exec bash "$here/with-display.sh" "$@"
