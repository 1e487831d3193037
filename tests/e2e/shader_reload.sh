#!/usr/bin/env bash
# Shaders saved while the demo runs, in a copy of the data root: the sky
# program set to a solid colour (through an editor's empty moment), then
# broken. The console reports both, the solid sky stays on screen after the
# broken save, GL reports no error and the demo runs on until ESC.
source "$(dirname "$0")/lib.sh"

data="$WORK/root"
mkdir -p "$data/GraphicsEngine"
cp -r "$ROOT/GraphicsEngine/Shader" "$data/GraphicsEngine/"
ln -s "$ROOT/resources" "$data/resources"
export EMBERWIGHT_ROOT="$data"
sky="$data/GraphicsEngine/Shader/SkyShader.frag"
log="$WORK/reload.log"
reloaded="Shader reloaded: SkyShader.frag (sky)"
failed="Shader reload failed: SkyShader.frag; keeping the running program"

# wait_line TEXT: true once the log holds a line equal to TEXT (up to 10 s);
# prints the seconds it took.
wait_line() {
    local start; start=$(date +%s.%N)
    for _ in $(seq 1 100); do
        if grep -qxF "$1" "$log"; then
            echo "  seen after $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }') s: $1"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# --stats 1: a line after every frame.
start_app "$log" 160 120 0 --gl-debug --stats 1 --screenshot "$WORK/last.png" || fail "window did not open"
wait_for "$log" '^stats frame 2 ' || fail "no frame drawn"

: > "$sky"
sleep 0.8
printf '#version 330 core\nout vec4 fragColor;\nvoid main() { fragColor = vec4(1.0, 0.0, 1.0, 1.0); }\n' > "$sky"
check "the saved sky program is reported" wait_line "$reloaded"
check "the empty moment is not a failure" sh -c "! grep -q 'Shader reload failed' '$log'"

printf '#version 330 core\nout vec4 fragColor;\nvoid main() { fragColor = vec4(1.0 }\n' > "$sky"
check "the broken save is reported" wait_line "$failed"
check "the compiler's log follows the file's name" \
    sh -c "grep -A1 -xF 'Failed to compile shader SkyShader.frag (sky)' '$log' | tail -n 1 | grep -q 'error'"
# Two more frames drawn after the report.
drawn=$(grep -c '^stats frame ' "$log")
check "the demo runs on" wait_for "$log" "^stats frame $((drawn + 2)) "

press Escape
wait_app 20
check "exits with 0 after ESC (got $STATUS)" [ "$STATUS" = 0 ]
check "no GL error" grep -qx 'GL errors: 0' "$log"
# The last frame still has the solid sky of the last good save (below the overlay text).
magenta=$(pngstat share "$WORK/last.png" 255 0 255 8 90 34 160 56)
check "the sky kept its solid colour ($magenta % of its band)" awk -v s="$magenta" 'BEGIN { exit !(s > 90) }'
finish
