#!/usr/bin/env bash
# The short soak: 1,200 frames of scripted key presses, clean exit, no GL
# error, flat memory, bounded particles (make soak runs 20,000).
source "$(dirname "$0")/lib.sh"
check "1,200-frame soak" bash "$ROOT/scripts/soak.sh" "$BIN" 1200
finish
