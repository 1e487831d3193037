# Shared helpers for the end-to-end scripts: each script receives the binary
# and the source root, runs the real demo under the X display and drives it
# with xdotool. Sourced, never run.
set -uo pipefail

BIN="$1"
ROOT="$2"
WORK="$(mktemp -d)"
trap 'kill "${APP_PID:-}" "${XVFB_PID:-}" 2>/dev/null; rm -rf "$WORK"' EXIT
FAILURES=0

# Every script gets an X display of its own, so that ctest can run two side
# by side: the windows of one never take the other's pointer (which turns a
# demo's camera), focus or keys, nor answer its search for a window by name.
own_display() {
    exec 9<> "$WORK/display"
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local number=""
    for _ in $(seq 1 100); do
        number=$(head -n 1 "$WORK/display" 2>/dev/null)
        [ -n "$number" ] && break
        sleep 0.05
    done
    exec 9>&-
    export DISPLAY=":$number"
    unset XAUTHORITY
}
own_display

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
    # Line-buffered, so that the log shows each line as it is printed (wait_for).
    (cd "$WORK" && exec stdbuf -oL "$BIN" "$@" </dev/null >"$log" 2>&1) &
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

# wait_for LOG REGEX [SECONDS]: true once a line of LOG matches REGEX, waiting
# up to SECONDS (default 30) while the demo started last runs.
wait_for() {
    local log="$1" pattern="$2" limit="${3:-30}"
    for _ in $(seq 1 $((limit * 20))); do
        grep -qE -- "$pattern" "$log" 2>/dev/null && return 0
        kill -0 "$APP_PID" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# wait_file FILE [SECONDS]: true once FILE is there and not empty (default 10 s).
wait_file() {
    for _ in $(seq 1 $((${2:-10} * 20))); do
        [ -s "$1" ] && return 0
        sleep 0.05
    done
    return 1
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
    local log="$1" status; shift
    for attempt in 1 2; do
        (cd "$WORK" && timeout 120 "$BIN" "$@" </dev/null >"$log" 2>&1)
        status=$?
        # The display refusing a connection while others connect (see
        # start_app) is no fault of the run's: it gets a second try.
        [ "$attempt" = 1 ] && [ "$status" = 255 ] && grep -qx 'Failed to init glfw' "$log" || break
    done
    echo "$status"
}

# headless LOG ARGS...: like run_app, with no display to reach.
headless() {
    local log="$1"; shift
    (cd "$WORK" && env -u DISPLAY -u XAUTHORITY timeout 120 "$BIN" "$@" --headless \
        </dev/null >"$log" 2>&1)
    echo $?
}

# Runs that need no keys go side by side (E2E_JOBS at once, default 2): most
# of a short run is single-threaded start-up and the second the demo waits
# before it exits, so two at once take little longer than one. Runs in windows
# that check only sizes, statuses and the console, or fly the tour (which
# ignores the mouse), may share the display with each other; any other run in
# a window uses spawn_window, beside headless runs only.
JOBS="${E2E_JOBS:-2}"
# spawn NAME COMMAND...: runs COMMAND (run_app, ...) in the background, at
# most JOBS at once; `result NAME` prints what it printed.
spawn() {
    local name="$1"; shift
    while [ "$(jobs -pr | wc -l)" -ge "$JOBS" ]; do wait -n; done
    { "$@" >"$WORK/$name.result"; touch "$WORK/$name.done"; } &
}
# spawn_window NAME COMMAND...: spawn for a run in a window that takes the
# pointer: one at a time, since a window that opens or closes beside it moves
# the one pointer and so turns its camera.
spawn_window() {
    [ -n "${WINDOW_JOB:-}" ] && wait "$WINDOW_JOB" 2>/dev/null
    spawn "$@"
    WINDOW_JOB=$!
}
# result NAME: waits for the spawned command NAME to end, then prints its
# output (it works inside $(...), where `wait` cannot reach the jobs).
result() {
    until [ -e "$WORK/$1.done" ]; do sleep 0.05; done
    cat "$WORK/$1.result"
}

# Image facts (tools/pngstat.cpp): size, mean, diff, bright.
pngstat() { "$PNGSTAT" "$@"; }

# close_window: what a window manager's close button sends.
close_window() { "$TOOLS/send_close" "$WINDOW"; }
