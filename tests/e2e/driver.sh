#!/usr/bin/env bash
# The OpenGL the demo claims: Mesa pretends to be an older driver, then one
# that offers exactly 3.3 (without the extensions newer than 3.3 that the demo
# could touch).
source "$(dirname "$0")/lib.sh"

# Too old: one clear line before any shader is read, and status 255.
status=$(MESA_GL_VERSION_OVERRIDE=3.0 run_app "$WORK/old.log" 160 120 0 --frames 3)
check "an OpenGL 3.0 driver ends the run with 255 (got $status)" [ "$status" = 255 ]
check "and is told what is needed and what it offers" \
    grep -q 'Error: Emberwight needs OpenGL 3.3 or newer; this driver offers 3.0 (' "$WORK/old.log"
check "before any shader is read" sh -c "! grep -q 'Shader/' '$WORK/old.log'"

# Exactly 3.3: no GL error, and the picture of the normal run. Without
# GL_ARB_copy_image the shadow cube's static part is copied by depth blits.
view=(320 240 0 --frames 20 --fixed-dt 0.05 --gl-debug)
run_app "$WORK/now.log" "${view[@]}" --screenshot "$WORK/now.png" >/dev/null
status=$(MESA_GL_VERSION_OVERRIDE=3.3 MESA_GLSL_VERSION_OVERRIDE=330 \
         MESA_EXTENSION_OVERRIDE="-GL_ARB_derivative_control -GL_ARB_copy_image" \
         run_app "$WORK/33.log" "${view[@]}" --screenshot "$WORK/33.png")
check "an exactly-3.3 driver runs the demo to the end (got $status)" [ "$status" = 0 ]
check "with no GL error" grep -q '^GL errors: 0$' "$WORK/33.log"
difference=$(pngstat diff "$WORK/now.png" "$WORK/33.png" 2>/dev/null)
check "and the normal run's picture ($difference %)" \
    awk -v d="$difference" 'BEGIN { exit !(d != "" && d + 0 < 0.3) }'

# A stage such a driver cannot build: the console names it and the compiler's
# reason, not only the link's failure.
mkdir -p "$WORK/root/GraphicsEngine"
cp -r "$ROOT/GraphicsEngine/Shader" "$WORK/root/GraphicsEngine/"
ln -s "$ROOT/resources" "$WORK/root/resources"
cat > "$WORK/root/GraphicsEngine/Shader/AlphaShader.frag" <<'GLSL'
#version 330 core
#extension GL_ARB_derivative_control : require
out vec4 fragColor;
void main() { fragColor = vec4(dFdxFine(gl_FragCoord.x)); }
GLSL
# Run once as it is first: with Mesa's shader cache holding the stage, the
# driver reports it only at the link.
EMBERWIGHT_ROOT="$WORK/root" run_app "$WORK/cached.log" 160 120 0 --frames 1 >/dev/null
status=$(EMBERWIGHT_ROOT="$WORK/root" MESA_GL_VERSION_OVERRIDE=3.3 MESA_GLSL_VERSION_OVERRIDE=330 \
         MESA_EXTENSION_OVERRIDE=-GL_ARB_derivative_control run_app "$WORK/stage.log" 160 120 0 --frames 2)
check "a stage the driver cannot build ends with 255 (got $status)" [ "$status" = 255 ]
check "and the console gives that stage's own log" \
    grep -q "extension .GL_ARB_derivative_control' unsupported" "$WORK/stage.log"

finish
