# Shared helpers for the end-to-end scripts: each script receives the binary
# and the source root, runs the real demo under the X display and drives it
# with xdotool. Sourced, never run.
set -uo pipefail

BIN="$1"
ROOT="$2"
WORK="$(mktemp -d)"
trap 'kill "${APP_PID:-}" 2>/dev/null; rm -rf "$WORK"' EXIT
FAILURES=0

fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
pass() { echo "ok: $*"; }
check() {  # check "description" command...
    local what="$1"; shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {
    [ "$FAILURES" -eq 0 ]
    exit $?
}

# start_app LOG ARGS... : runs the demo in the background, waits for its window
# and then for the end of its start-up.
start_app() {
    local log="$1"; shift
    # Away from where the demo will centre it (see below).
    xdotool mousemove 0 0
    (cd "$WORK" && exec "$BIN" "$@" </dev/null >"$log" 2>&1) &
    APP_PID=$!
    # Our own X connections made while the demo opens its display sometimes
    # make its connection fail under Xvfb ("Failed to init glfw"): give it a
    # head start before polling for the window.
    sleep 0.5
    WINDOW=""
    for _ in $(seq 1 200); do
        WINDOW=$(xdotool search --name '^\+\+\+ Emberwight \+\+\+$' 2>/dev/null | head -n 1)
        [ -n "$WINDOW" ] && break
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.05
    done
    [ -n "$WINDOW" ] || return 1
    # The window opens early, but the demo reads keys only from its first frame
    # on, after loading the whole scene; a key pressed and released before that
    # is never seen. Its last start-up act is to centre the pointer on the
    # window, so wait for that (up to 30 s).
    local info; info=$(xdotool getwindowgeometry "$WINDOW")
    local position size
    position=$(awk '/Position/ {print $2}' <<<"$info")
    size=$(awk '/Geometry/ {print $2}' <<<"$info")
    local cx=$(( ${position%,*} + ${size%x*} / 2 )) cy=$(( ${position#*,} + ${size#*x} / 2 ))
    for _ in $(seq 1 600); do
        local X="" Y=""
        eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=')"
        [ "$X" = "$cx" ] && [ "$Y" = "$cy" ] && break
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.05
    done
    # No window manager: keyboard focus follows the pointer.
    xdotool mousemove --window "$WINDOW" $(( ${size%x*} / 2 )) $(( ${size#*x} / 2 ))
    sleep 0.3
}

# press KEY [SECONDS]: holds the key long enough for several frames.
press() {
    xdotool keydown "$1"
    sleep "${2:-0.25}"
    xdotool keyup "$1"
    sleep 0.15
}

# wait_app SECONDS: waits for the demo to end; sets STATUS (or "hung").
wait_app() {
    local limit="$1"
    for _ in $(seq 1 $((limit * 20))); do
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.05
    done
    if kill -0 "$APP_PID" 2>/dev/null; then
        kill -9 "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
        STATUS="hung"
        return
    fi
    wait "$APP_PID"
    STATUS=$?
}

# run_app LOG ARGS...: runs to the end (needs --frames); prints the status.
run_app() {
    local log="$1"; shift
    (cd "$WORK" && timeout 120 "$BIN" "$@" </dev/null >"$log" 2>&1)
    echo $?
}

# Image facts (tools/pngstat.cpp): size, mean, diff, bright.
pngstat() { "$PNGSTAT" "$@"; }

# close_window: what a window manager's close button sends.
close_window() { "$TOOLS/send_close" "$WINDOW"; }
