#!/usr/bin/env bash
# The frame time of two builds of the demo, run alternately (A B A B ...) on
# one display, and, with --shots, how far their pictures differ. A is a git
# revision, built in a temporary worktree; B is this checkout's build
# ($BUILD, default build/: run `make build` first). Frame times on a shared
# machine swing by a third with its load, so only the ratio of medians taken
# in one alternating run means anything. `make ab ARGS='...'` runs it too.
#
# Usage: scripts/ab-bench.sh [-r REV] [-s SECONDS] [-p PAIRS] [-a "A OPTIONS"] [-b "B OPTIONS"]
#                            [--pose X,Y,Z,YAW,PITCH [--dt S]] [--shots] [--keep DIR]
#   -r REV      the revision built as A (default HEAD: the last commit against the working tree)
#   -s SECONDS  measured seconds of each run, after the benchmark's own warm-up (default 8)
#   -p PAIRS    A B pairs (default 2)
#   -a, -b      demo options for A or B only, e.g. -b "--glow" (with -r HEAD: the glow's cost),
#               -b "--unlit" (the frame against its floor); they apply to the pictures too
#   --shots     also the start view and the camera tour at 10 s and 25 s from both, at fixed
#               frame times: differing pixels, the largest channel difference and the mean
#               absolute difference in percent of full scale
#   --pose P    hold the camera at pose P instead of flying the tour (a close view of the
#               fire, say), every frame S seconds of scene time (--dt, default 1/13: the frame
#               this machine draws); a run's frame time is its wall time for 5 + F frames less
#               that for 5, over F, with F the frames of SECONDS at S; with --shots, the start
#               view is taken at P too
#   --keep DIR  where the pictures are kept (default /tmp/ab-bench-shots)
# Runs the camera tour at 1024 x 768 (--benchmark). Without a display it makes
# a virtual one (Xvfb), unless both option sets hold --headless.
set -euo pipefail
usage() { sed -n '9,26p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }
rev=HEAD; seconds=8; pairs=2; a_options=""; b_options=""; shots=0; keep=/tmp/ab-bench-shots
pose=""; dt=0.0769231
while [ $# -gt 0 ]; do
    case $1 in
        -r) rev=$2; shift 2 ;;
        -s) seconds=$2; shift 2 ;;
        -p) pairs=$2; shift 2 ;;
        -a) a_options=$2; shift 2 ;;
        -b) b_options=$2; shift 2 ;;
        --shots) shots=1; shift ;;
        --keep) keep=$2; shift 2 ;;
        --pose) pose=$2; shift 2 ;;
        --dt) dt=$2; shift 2 ;;
        *) usage ;;
    esac
done

top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/${BUILD:-build}"
B="$build/emberwight"
pngstat="$build/tools/pngstat"
[ -x "$B" ] || { echo "no $B: run make build first" >&2; exit 2; }
[ "$shots" = 0 ] || [ -x "$pngstat" ] || { echo "no $pngstat: run make build first" >&2; exit 2; }

# One display for every run, made once.
headless_both() { [[ " $a_options " == *" --headless "* && " $b_options " == *" --headless "* ]]; }
if [ -z "${DISPLAY:-}" ] && ! headless_both && [ -z "${AB_BENCH_DISPLAY:-}" ]; then
    AB_BENCH_DISPLAY=1 exec bash "$top/scripts/with-display.sh" bash "$0" \
        -r "$rev" -s "$seconds" -p "$pairs" -a "$a_options" -b "$b_options" \
        $([ "$shots" = 1 ] && echo --shots) --keep "$keep" ${pose:+--pose "$pose"} --dt "$dt"
fi

work=$(mktemp -d /tmp/ab-bench.XXXXXX)
cleanup() {
    git -C "$top" worktree remove --force "$work/a" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

short=$(git -C "$top" rev-parse --short "$rev")
echo "A = $short ($a_options), built in a temporary worktree; B = $B ($b_options)"
git -C "$top" worktree add --detach -q "$work/a" "$rev"
{ cmake -S "$work/a" -B "$work/a/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
  cmake --build "$work/a/build" -j "${JOBS:-$(nproc)}" --target emberwight resources; } >"$work/build.log" 2>&1 ||
    { tail -n 20 "$work/build.log"; echo "building A failed" >&2; exit 1; }
A="$work/a/build/emberwight"

# wall BINARY FRAMES OPTIONS: seconds for FRAMES frames at the pose.
wall() {
    local start end
    start=$(date +%s.%N)
    # shellcheck disable=SC2086  # the options are words
    "$1" 1024 768 0 "--camera=$pose" --fixed-dt "$dt" --frames "$2" $3 </dev/null >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}

# run LABEL BINARY OPTIONS: one benchmark; prints its median frame in ms.
run() {
    local label=$1 binary=$2 options=$3 out median
    if [ -n "$pose" ]; then
        local frames short long
        frames=$(awk -v s="$seconds" -v d="$dt" 'BEGIN { printf "%d", s / d + 0.5 }')
        short=$(wall "$binary" 5 "$options")
        long=$(wall "$binary" $((5 + frames)) "$options")
        median=$(awk -v a="$short" -v b="$long" -v f="$frames" 'BEGIN { printf "%.1f", (b - a) * 1000 / f }')
        printf '  %s  frame %8s ms   (load %s)\n' "$label" "$median" "$(cut -d' ' -f1 /proc/loadavg)" >&2
        echo "$median"
        return
    fi
    out="$work/$label.$RANDOM.log"
    # shellcheck disable=SC2086  # the options are words
    "$binary" 1024 768 0 --benchmark "$seconds" $options </dev/null >"$out" 2>&1 || true
    median=$(sed -n 's/.*frame time ms: .*median \([0-9.]*\).*/\1/p' "$out" | head -n 1)
    printf '  %s  median %8s ms   (load %s)\n' "$label" "${median:-?}" \
        "$(cut -d' ' -f1 /proc/loadavg)" >&2
    [ -n "$median" ] || { tail -n 5 "$out" >&2; echo "$label printed no median" >&2; exit 1; }
    echo "$median"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

if [ -n "$pose" ]; then
    echo "Pose $pose at 1024 x 768, frames of $dt s: $pairs pairs of $seconds s, A then B"
else
    echo "Camera tour at 1024 x 768: $pairs pairs of $seconds s, A then B"
fi
as=(); bs=(); ratios=()
for _ in $(seq "$pairs"); do
    a=$(run A "$A" "$a_options")
    b=$(run B "$B" "$b_options")
    as+=("$a"); bs+=("$b")
    ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", b / a }')")
done
ma=$(median "${as[@]}"); mb=$(median "${bs[@]}")
awk -v a="$ma" -v b="$mb" -v pairs="${ratios[*]}" 'BEGIN {
    printf "A median %.1f ms   B median %.1f ms   B/A = %.3f (%s)   pairs B/A: %s\n", a, b, b / a,
        b <= a ? sprintf("%.1f %% faster", (1 - b / a) * 100) : sprintf("%.1f %% slower", (b / a - 1) * 100),
        pairs }'

if [ "$shots" = 1 ]; then
    echo "Pictures (differing pixels, largest channel difference, mean absolute difference):"
    for side in A B; do
        binary=$A; options=$a_options
        [ "$side" = B ] && { binary=$B; options=$b_options; }
        # shellcheck disable=SC2086
        start=(--frames 30 --fixed-dt 0.0166)
        [ -n "$pose" ] && start=("--camera=$pose" --frames "$(awk -v d="$dt" 'BEGIN { printf "%d", 8 / d + 0.5 }')" --fixed-dt "$dt")
        # shellcheck disable=SC2086
        "$binary" 1024 768 0 "${start[@]}" --screenshot "$work/$side-start.png" \
            $options </dev/null >/dev/null 2>&1
        # shellcheck disable=SC2086
        "$binary" 1024 768 0 1 --fixed-dt 0.25 --seconds 25 --shot-every 5 --shot-dir "$work/$side" \
            $options </dev/null >/dev/null 2>&1
        cp "$work/$side/emberwight-0002.png" "$work/$side-tour10.png"
        cp "$work/$side/emberwight-0005.png" "$work/$side-tour25.png"
    done
    rm -rf "$keep"; mkdir -p "$keep"
    for view in start tour10 tour25; do
        read -r pixels largest <<<"$("$pngstat" differ "$work/A-$view.png" "$work/B-$view.png")"
        mean=$("$pngstat" diff "$work/A-$view.png" "$work/B-$view.png")
        printf '  %-7s %7s pixels differ, by at most %3s; %s %%\n' "$view" "$pixels" "$largest" "$mean"
        cp "$work/A-$view.png" "$work/B-$view.png" "$keep/"
    done
    echo "  the pictures are in $keep/"
fi
