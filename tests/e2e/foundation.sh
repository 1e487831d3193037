#!/usr/bin/env bash
# Window, loop, exit paths, options and fatal shader stops of the real binary.
source "$(dirname "$0")/lib.sh"

# ESC ends the run with status 0 after the normal exit path.
start_app "$WORK/esc.log" 320 240 0 || fail "window did not open"
press Escape
wait_app 20; status=$STATUS
check "ESC exits with 0 (got $status)" [ "$status" = 0 ]
check "argc and size printed" grep -q '^argc 4$' "$WORK/esc.log"
check "size text precedes the first shader path" grep -q '^320 x 240/' "$WORK/esc.log"

# The window's close button ends it the same way.
start_app "$WORK/close.log" 320 240 0 || fail "window did not open"
close_window
wait_app 20; status=$STATUS
check "window close exits with 0 (got $status)" [ "$status" = 0 ]

# The runs to the end, side by side; checked below.
# --frames with --screenshot: the last frame before its swap, at the window's size.
spawn frames run_app "$WORK/frames.log" 200 150 0 --frames 3 --screenshot "$WORK/shot.png"
# Shader failures, each through a copy of the data root of its own.
copy_root() {
    mkdir -p "$WORK/$1/GraphicsEngine"
    cp -r "$ROOT/GraphicsEngine/Shader" "$WORK/$1/GraphicsEngine/"
    ln -s "$ROOT/resources" "$WORK/$1/resources"
}
copy_root missing
rm "$WORK/missing/GraphicsEngine/Shader/ThresholdShader.frag"
EMBERWIGHT_ROOT="$WORK/missing" spawn missing run_app "$WORK/missing.log" --frames 2
copy_root psupdate
rm "$WORK/psupdate/GraphicsEngine/Shader/PSUpdate.frag" 2>/dev/null
EMBERWIGHT_ROOT="$WORK/psupdate" spawn psupdate run_app "$WORK/psupdate.log" --frames 2 --fixed-dt 0.01
copy_root compile
echo "this is not GLSL" > "$WORK/compile/GraphicsEngine/Shader/SkyShader.frag"
EMBERWIGHT_ROOT="$WORK/compile" spawn compile run_app "$WORK/compile.log" --frames 2
copy_root link
cat > "$WORK/link/GraphicsEngine/Shader/AlphaShader.frag" <<'GLSL'
#version 330 core
out vec4 fragColor;
vec4 notDefinedAnywhere();
void main() { fragColor = notDefinedAnywhere(); }
GLSL
EMBERWIGHT_ROOT="$WORK/link" spawn link run_app "$WORK/link.log" --frames 2

status=$(result frames)
check "--frames ends with 0 (got $status)" [ "$status" = 0 ]
check "screenshot written" [ -s "$WORK/shot.png" ]
check "screenshot has the window's size" [ "$(pngstat size "$WORK/shot.png")" = "200x150" ]

# Option errors: one line, status 2, no window.
for bad in "--frames x" "--fixed-dt -1" "--nonsense"; do
    status=$(run_app "$WORK/bad.log" $bad)
    check "'$bad' exits with 2 (got $status)" [ "$status" = 2 ]
    check "'$bad' prints one line" [ "$(wc -l < "$WORK/bad.log")" = 1 ]
    check "'$bad' opens no window" sh -c "! grep -q 'x 768' '$WORK/bad.log'"
done
status=$(run_app "$WORK/help.log" --help)
check "--help exits with 0" [ "$status" = 0 ]
check "--help lists --frames" grep -q -- '--frames' "$WORK/help.log"

status=$(result missing)
check "missing shader exits with 255 (got $status)" [ "$status" = 255 ]
check "missing shader names the path, then the error" \
    sh -c "tail -n 2 '$WORK/missing.log' | tr -d '\n' | grep -q 'ThresholdShader.fragError opening shader file'"
status=$(result psupdate)
check "absent PSUpdate.frag does not matter (got $status)" [ "$status" = 0 ]
status=$(result compile)
check "compile error exits with 255 (got $status)" [ "$status" = 255 ]
check "compile error message" grep -q '^Failed to compile shader$' "$WORK/compile.log"
status=$(result link)
check "link error exits with 255 (got $status)" [ "$status" = 255 ]
check "link error message" grep -q '^Failed to link shader program$' "$WORK/link.log"

finish
