#!/usr/bin/env bash
# The short soak: each scripted key pressed twice, a key every 5 frames, so
# every toggle goes on and off again: clean exit, no GL error, flat memory,
# bounded particles. `make soak` (and CI) run 20,000 frames.
source "$(dirname "$0")/lib.sh"
check "200-frame soak, a key every 5 frames" bash "$ROOT/scripts/soak.sh" "$BIN" 200 5
finish
