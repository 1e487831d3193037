#!/usr/bin/env bash
# Every texture, sprite sheet, model and the height map broken the same way at
# once, one case per run, through a data root of its own: the demo prints the
# loaders' lines, leaves out what it cannot use, draws its frames without a GL
# error and ends normally.
source "$(dirname "$0")/lib.sh"

TEXTURES="$ROOT/resources/textures"
MODELS="$ROOT/resources/models"

# A small PNG to stand in under every other extension.
pngstat make "$WORK/other.png" 32 24

# fresh_root ROOT: shaders from the source tree, a private copy of the data.
fresh_root() {
    local case_root="$1"
    mkdir -p "$case_root/GraphicsEngine" "$case_root/resources"
    ln -s "$ROOT/GraphicsEngine/Shader" "$case_root/GraphicsEngine/Shader"
    cp -r "$TEXTURES" "$MODELS" "$case_root/resources/"
    rm -f "$case_root"/resources/*/.stamp* 2>/dev/null
}

# break_all KIND FOLDER: applies one kind of damage to every file in FOLDER.
break_all() {
    local kind="$1" folder="$2" file size n=0
    for file in "$folder"/*.*; do
        n=$((n + 1))
        case "$kind" in
            missing)   rm -f "$file" ;;
            empty)     : > "$file" ;;
            truncated) size=$(stat -c %s "$file"); head -c $((size / 3)) "$file" > "$file.cut"; mv "$file.cut" "$file" ;;
            garbage)   yes 'not what the name says' | head -c 5000 > "$file" ;;
            other)     cp "$WORK/other.png" "$file" ;;
            odd)       case $((n % 3)) in
                           0) pngstat make "$file" 1 1 ;;
                           1) pngstat make "$file" 37 19 ;;
                           2) pngstat make "$file" 4097 3 ;;
                       esac ;;
        esac
    done
}

models="rock1_big.obj rock2_big.obj emberwight_platform.obj emberwight_rotate.obj emberwight2.obj"

#      kind       textures load?  models load?
cases="missing    no              no
empty      no              no
truncated  maybe           maybe
garbage    no              no
other      yes             no
odd        yes             yes"

# Each case on a data root of its own, the runs side by side.
while read -r kind textures_load models_load; do
    case_root="$WORK/$kind-root"
    fresh_root "$case_root"
    break_all "$kind" "$case_root/resources/textures"
    [ "$kind" = odd ] || break_all "$kind" "$case_root/resources/models"
    EMBERWIGHT_ROOT="$case_root" spawn "$kind" run_app "$WORK/$kind.log" 160 120 0 --frames 4 \
        --fixed-dt 0.02 --gl-debug --screenshot "$WORK/$kind.png"
done <<< "$cases"

while read -r kind textures_load models_load; do
    log="$WORK/$kind.log"
    status=$(result "$kind")
    check "$kind: ends with 0 (got $status)" [ "$status" = 0 ]
    check "$kind: a frame was drawn" [ "$(pngstat size "$WORK/$kind.png" 2>/dev/null)" = "160x120" ]
    check "$kind: no GL error" grep -qx 'GL errors: 0' "$log"

    case "$textures_load" in
        no)  check "$kind: textures report their failure" grep -q '^Texture: file \(format\|read\) fail!$' "$log"
             check "$kind: no texture loads" sh -c "! grep -q 'load sucessful' '$log'"
             check "$kind: the height map gives flat ground" grep -q "Scene: heightmap 'h_level_ew.tga' not loaded" "$log" ;;
        yes) check "$kind: textures load" grep -q 'load sucessful' "$log"
             check "$kind: no texture fails" sh -c "! grep -q '^Texture: .* fail!$' '$log'" ;;
    esac
    case "$models_load" in
        no)  for model in $models; do
                 check "$kind: $model is left out with a line" \
                     grep -q "^Model '$model' could not be loaded; the object is left out.$" "$log"
             done
             check "$kind: the ground is left out with a line" grep -q "'groundMesh.obj' could not be loaded" "$log"
             check "$kind: the sky is left out with a line" grep -q "'skybox.obj' could not be loaded" "$log" ;;
        yes) check "$kind: every model loads" sh -c "! grep -q 'could not be loaded' '$log'" ;;
    esac
done <<< "$cases"

finish
