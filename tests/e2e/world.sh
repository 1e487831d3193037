#!/usr/bin/env bash
# The whole start-up of the real binary against stand-in data files (cube
# models, tiny images): its transcript, a running demo, and the three missing
# files it survives; and once against the project's generated data.
source "$(dirname "$0")/lib.sh"

# make_root CASE: a stand-in data root of its own with the real shader sources.
make_root() {
    "$TOOLS/scene_files" "$WORK/$1" "$ROOT/GraphicsEngine/Shader" || fail "stand-in files written"
}
# run_world CASE: a few fixed-step frames on CASE's data root and a screenshot,
# in the background (`result CASE`).
run_world() {
    EMBERWIGHT_ROOT="$WORK/$1" spawn "$1" run_app "$WORK/$1.log" 320 240 0 --frames 5 --fixed-dt 0.02 \
        --screenshot "$WORK/$1.png"
}
count() { grep -c -x -F -- "$2" "$1"; }

# Every run first, side by side: the whole stand-in data, the project's own,
# then a model, the ground and sky, and the height map missing.
make_root full
run_world full
spawn real run_app "$WORK/real.log" 320 240 0 --frames 3 --fixed-dt 0.02
make_root model
rm "$WORK/model/resources/models/emberwight_rotate.obj"
run_world model
make_root env
rm "$WORK/env/resources/models/groundMesh.obj" "$WORK/env/resources/models/skybox.obj"
run_world env
make_root height
rm "$WORK/height/resources/textures/h_level_ew.tga"
run_world height

status=$(result full)
log="$WORK/full.log"
check "full start-up runs and exits with 0 (got $status)" [ "$status" = 0 ]
check "argc first" [ "$(sed -n 1p "$log")" = "argc 4" ]
check "heightmap line, then the first generator line on it" \
    [ "$(sed -n 2p "$log")" = "Heightmap: width=128, height=128Particle System generator initialized..." ]
check "44 generator lines in a row" \
    [ "$(sed -n 2,45p "$log" | grep -c 'Particle System generator initialized...$')" = 44 ]
check "window size, then the first shader path" grep -q '^320 x 240.*/GraphicsEngine/Shader/BaseShader.vert$' "$log"
shader_line=$(grep -n -m1 'GraphicsEngine/Shader/' "$log" | cut -d: -f1)
model_line=$(grep -n -m1 '^ModelLoader: NumMeshes: ' "$log" | cut -d: -f1)
check "shaders before models" [ "$shader_line" -lt "$model_line" ]
check "14 models loaded" [ "$(grep -c '^ModelLoader: NumMeshes: 1 $' "$log")" = 14 ]
check "65 cache hits" [ "$(count "$log" 'Texture Found.')" = 65 ]
for name in sunsprite.tga ground07.jpg ground07b.jpg ground07n.jpg skybox2.jpg rock1.jpg rock1n.jpg \
    brick13_2.jpg brick13n.jpg brick13d.jpg wood17.jpg wood17n_2.jpg wood17d.jpg wood_burnt.jpg \
    particle.tga smoke45_alpha.tga flames3.tga flames2.tga fire_layer.tga noise.tga; do
    check "$name read once" [ "$(count "$log" "$WORK/full/resources/textures/$name")" = 1 ]
done
check "smoke through the alpha loader, alone" \
    [ "$(grep -B1 -x -F "$WORK/full/resources/textures/smoke45_alpha.tga" "$log" | head -n1)" = "Loading alpha Texture..." ]
check "one alpha load" [ "$(count "$log" 'Loading alpha Texture...')" = 1 ]
check "no failure lines" sh -c "! grep -q -e '^Model ' -e '^Environment:' -e '^Scene:' -e 'ERROR' -e 'fail' '$log'"
check "screenshot of the running demo" [ "$(pngstat size "$WORK/full.png")" = "320x240" ]

# The generated data files of the project itself load the same way.
status=$(result real)
check "real data: runs and exits with 0 (got $status)" [ "$status" = 0 ]
check "real data: heightmap of 128 x 128" grep -q '^Heightmap: width=128, height=128' "$WORK/real.log"
check "real data: 14 models of one mesh each" [ "$(grep -c '^ModelLoader: NumMeshes: 1 $' "$WORK/real.log")" = 14 ]
check "real data: 20 images read" [ "$(grep -c -x '/.*/resources/textures/[^ ]*' "$WORK/real.log")" = 20 ]
check "real data: 65 cache hits" [ "$(count "$WORK/real.log" 'Texture Found.')" = 65 ]
check "real data: no failure lines" \
    sh -c "! grep -q -e '^Model ' -e '^Environment:' -e '^Scene:' -e 'ERROR' -e 'fail' '$WORK/real.log'"

# A model that cannot be loaded: one line naming it, and the demo runs on.
status=$(result model)
check "missing model: runs and exits with 0 (got $status)" [ "$status" = 0 ]
check "missing model: one line naming it" \
    [ "$(grep -c "emberwight_rotate.obj" "$WORK/model.log")" = 1 ]
check "missing model: the line says it is left out" \
    grep -q -x -F "Model 'emberwight_rotate.obj' could not be loaded; the object is left out." "$WORK/model.log"
check "missing model: the 13 others load" [ "$(grep -c '^ModelLoader: NumMeshes: ' "$WORK/model.log")" = 13 ]

# No ground and no sky: a line each, and the frame runs without them.
status=$(result env)
check "missing ground and sky: runs and exits with 0 (got $status)" [ "$status" = 0 ]
check "missing ground: its line" \
    grep -q -x -F "Environment: 'groundMesh.obj' could not be loaded; running without the ground." "$WORK/env.log"
check "missing sky: its line" \
    grep -q -x -F "Environment: 'skybox.obj' could not be loaded; running without the sky." "$WORK/env.log"
check "missing ground and sky: their textures are not read" \
    sh -c "! grep -q -e 'ground07' -e 'skybox2' '$WORK/env.log'"

# No heightmap: a line, flat ground, and the demo runs.
status=$(result height)
check "missing heightmap: runs and exits with 0 (got $status)" [ "$status" = 0 ]
check "missing heightmap: its line" \
    grep -q -x -F "Scene: heightmap 'h_level_ew.tga' not loaded; the ground is flat." "$WORK/height.log"
check "missing heightmap: no samples reported" sh -c "! grep -q '^Heightmap:' '$WORK/height.log'"

finish
