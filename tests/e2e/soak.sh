#!/usr/bin/env bash
# The short soak: 2,000 frames of scripted key presses, clean exit, no GL
# error, flat memory, bounded particles (make soak runs 20,000).
source "$(dirname "$0")/lib.sh"
check "2,000-frame soak" bash "$ROOT/scripts/soak.sh" "$BIN" 2000
finish
