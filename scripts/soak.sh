#!/usr/bin/env bash
# A long unattended run: every toggle, SPACE and the walking keys are pressed
# again and again. Passes when the run ends cleanly with no GL error, resident
# memory after the warm-up grows by less than 2 %, and the particle count stays
# bounded. Usage: soak.sh BINARY [FRAMES [PERIOD]], a key every PERIOD frames
# (default 25).
set -uo pipefail
binary="$1"
frames="${2:-20000}"
period="${3:-25}"
every=$((frames / 20))
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

"$binary" 320 240 0 --fixed-dt 0.0166 --frames "$frames" --auto-keys "$period" --gl-debug \
    --stats "$every" </dev/null >"$log" 2>&1
status=$?

awk -v status="$status" -v frames="$frames" '
    /^stats frame / { n++; frame[n] = $3; rss[n] = $5; particles[n] = $9
                      if ($9 > maxParticles) maxParticles = $9 }
    /^GL errors: /   { errors = $3; sawErrors = 1 }
    END {
        warm = int(n / 4) + 1   # the first quarter is warm-up
        growth = n > warm ? 100 * (rss[n] - rss[warm]) / rss[warm] : 0
        printf "soak: %d frames, exit %d, GL errors %s\n", frames, status, sawErrors ? errors : "?"
        printf "soak: resident memory %d kB after warm-up, %d kB at the end (%+.2f %%)\n", rss[warm], rss[n], growth
        printf "soak: particles at most %d\n", maxParticles
        ok = status == 0 && sawErrors && errors == 0 && n >= 4 && growth < 2 && maxParticles <= 44 * 100000
        print ok ? "soak: passed" : "soak: FAILED"
        exit !ok
    }' "$log"
