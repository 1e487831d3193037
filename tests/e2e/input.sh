#!/usr/bin/env bash
# Keyboard toggles, their console log, the overlay, walking, mouse look and the
# camera tour, through the real binary.
source "$(dirname "$0")/lib.sh"

# Starts the demo and waits until its loop has drawn two frames (the first
# one compiles the programs' code; a key pressed and released before the loop
# polls input is lost). --stats 1 prints a line after every frame.
start_running() {
    local log="$1"
    start_app "$@" --stats 1 || { fail "window did not open"; return 1; }
    wait_for "$log" '^stats frame 2 ' || { fail "no frame drawn"; return 1; }
}
quit_app() {
    press Escape
    wait_app 20
    check "exits with 0 after ESC (got $STATUS)" [ "$STATUS" = 0 ]
}
# camera_field LOG NAME: x, y, z, dx, dy, dz, yaw or pitch from the --print-camera line
# ("camera X Y Z direction DX DY DZ yaw YAW pitch PITCH").
camera_field() {
    awk -v name="$2" '/^camera / {
        split("x y z - dx dy dz - yaw - pitch", names, " ")
        for (i = 1; i <= 11; ++i) if (names[i] == name) value = $(i + 1)
    } END { print value }' "$1"
}
# near A B TOLERANCE
near() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
# lines_after LOG TEXT N: the N lines that follow the first line equal to TEXT,
# leaving out the per-frame lines of --stats.
lines_after() {
    awk -v text="$2" -v n="$3" '/^stats frame / { next }
        found && n-- > 0 { print } $0 == text && !found { found = 1 }' "$1"
}

cat > "$WORK/help.txt" <<'HELP'
Emberwight - Help:

Controls:
Move the mouse to look around.
Use WASD to move.

F1 - show Help (toggle)
F2 - show Frametime (toggle)
F3 - wireframe mode (toggle)
F4 - change texture sampling mode
F5 - change mipmap mode
F6 - change FPS limit
F7 - show object count (toggle)
F8 - disable view frustum culling (toggle)
F11 - full screen (toggle)
G - glow around the fire (toggle)
C - show the shadow cube as a box (toggle)
M - mute the fire's sound (toggle)
Tab - settings panel (toggle)
ESC - quit
HELP
frametime_re='^Frametime: +[0-9]+\.[0-9]{4} ms - FPS: +[0-9]+ - antialias (off|post|msaa)$'

# Untouched, the camera stands at the scene's start looking along (1, 0, 1);
# F12 keeps that picture. Then F3 held for a second switches wire frame once:
# the scene below the status line turns into lines. Neither moves the camera.
mkdir -p "$WORK/idle"
start_running "$WORK/idle.log" 320 240 0 --shot-dir "$WORK/idle" --screenshot "$WORK/wire.png" \
    --print-camera && {
    press F12; wait_file "$WORK/idle/emberwight-0001.png"; press F3 1.0; sleep 0.2; quit_app; }
cp "$WORK/idle/emberwight-0001.png" "$WORK/idle.png" 2>/dev/null
check "start pose" grep -q '^camera -45.0000 10.0000 -25.0000 direction 1.0000 0.0000 1.0000 yaw 0.0000 pitch 0.0000$' "$WORK/idle.log"
check "no status line without a toggle" sh -c "! grep -q -e '^Help' -e '^Frametime' '$WORK/idle.log'"
check "F3 held prints 'Wire Frame: ON' once" [ "$(grep -c -x 'Wire Frame: ON' "$WORK/idle.log")" = 1 ]
check "F3 never switched back while held" sh -c "! grep -q 'Wire Frame: OFF' '$WORK/idle.log'"
diff_wire=$(pngstat diff "$WORK/idle.png" "$WORK/wire.png" 0 40 320 240)
check "F3 changes the scene's picture ($diff_wire%)" awk -v d="$diff_wire" 'BEGIN { exit !(d > 2) }'

# F1, then F2, then F7, then G and C: each press copies the overlay to the
# console once. The last frame has the glow on and the help drawn over it.
start_running "$WORK/keys.log" 320 240 0 --gl-debug --screenshot "$WORK/help.png" && {
    press F1; press F2; press F7; press g; press c; sleep 0.3; quit_app; }
check "F1 prints 'Help: ON' and the twenty help lines" \
    diff <(lines_after "$WORK/keys.log" "Help: ON" 20) "$WORK/help.txt"
check "F2 prints 'Frametime: ON' and the help again" \
    diff <(lines_after "$WORK/keys.log" "Frametime: ON" 20) "$WORK/help.txt"
after_f2=$(lines_after "$WORK/keys.log" "Frametime: ON" 22)
matches() { printf '%s\n' "$1" | grep -Eq "$2"; }
check "F2 then prints one frame-time line" matches "$(sed -n 21p <<<"$after_f2")" "$frametime_re"
check "F2 prints only one frame-time line" sh -c '! printf "%s\n" "$1" | grep -q "^Frametime: [0-9 ]"' _ "$(sed -n 22p <<<"$after_f2")"
check "F7 prints 'Object counter Enabled'" grep -qx 'Object counter Enabled' "$WORK/keys.log"
check "the object counter is never echoed" sh -c "! grep -q 'Number of Objects' '$WORK/keys.log'"
check "G prints 'Glow: ON', C 'Shadow Cube: ON'" \
    sh -c "grep -qx 'Glow: ON' '$WORK/keys.log' && grep -qx 'Shadow Cube: ON' '$WORK/keys.log'"
check "each press acted once" [ "$(grep -c -x -e 'Help: ON' -e 'Frametime: ON' -e 'Object counter Enabled' -e 'Glow: ON' -e 'Shadow Cube: ON' "$WORK/keys.log")" = 5 ]
check "no GL error with the glow and the box switched on" grep -qx 'GL errors: 0' "$WORK/keys.log"

# The help text is visible: white pixels over the top-left of the clear colour.
idle_red=$(pngstat mean "$WORK/idle.png" 0 0 160 240 | cut -d' ' -f1)
help_red=$(pngstat mean "$WORK/help.png" 0 0 160 240 | cut -d' ' -f1)
check "overlay text visible with help on (red $idle_red -> $help_red)" \
    awk -v a="$idle_red" -v b="$help_red" 'BEGIN { exit !(b > a + 8) }'

# W walks along (1, 0, 1) on the level; the mouse turns the view by 0.25
# degrees per pixel. A move that lands between reading the cursor and
# re-centring it is lost, hence several moves and a range.
start_running "$WORK/walk.log" 320 240 0 --print-camera --screenshot "$WORK/walk.png" && {
    xdotool keydown w; sleep 0.5; xdotool keyup w; sleep 0.2
    for _ in 1 2 3; do xdotool mousemove_relative -- -40 0; sleep 0.2; done
    for _ in 1 2; do xdotool mousemove_relative -- 0 -20; sleep 0.2; done
    quit_app; }
x=$(camera_field "$WORK/walk.log" x); y=$(camera_field "$WORK/walk.log" y); z=$(camera_field "$WORK/walk.log" z)
yaw=$(camera_field "$WORK/walk.log" yaw); pitch=$(camera_field "$WORK/walk.log" pitch)
check "W moved the eye forward ($x $y $z)" awk -v x="$x" -v z="$z" \
    'BEGIN { d = (x + 45) - (z + 25); exit !(x > -44 && d < 0.001 && d > -0.001) }'
check "walking stays level" near "$y" 10 0.0001
check "moving the mouse left raised yaw ($yaw)" awk -v y="$yaw" 'BEGIN { exit !(y >= 9.99 && y <= 30.01) }'
check "moving the mouse up raised pitch ($pitch)" awk -v p="$pitch" 'BEGIN { exit !(p >= 4.99 && p <= 10.01) }'
check "the view direction turned" sh -c "! grep -q 'direction 1.0000 0.0000 1.0000' '$WORK/walk.log'"
diff_walk=$(pngstat diff "$WORK/idle.png" "$WORK/walk.png" 0 40 320 240)
check "walking and turning change the view ($diff_walk%)" awk -v d="$diff_walk" 'BEGIN { exit !(d > 2) }'

# --panel starts with the settings panel open over the right of the picture
# (F12 takes that frame). The mouse moves the pointer, not the view; keys still
# act (F2); Tab closes it, announced like the other toggles.
mkdir -p "$WORK/panel"
start_running "$WORK/panel.log" 640 480 0 --panel --gl-debug --print-camera \
    --shot-dir "$WORK/panel" --screenshot "$WORK/closed.png" && {
    for _ in 1 2 3; do xdotool mousemove_relative -- -40 0; sleep 0.2; done
    press F2; press F12; sleep 0.5; press Tab; sleep 0.5; quit_app; }
check "the mouse leaves the view alone while the panel is open" \
    [ "$(camera_field "$WORK/panel.log" yaw)" = 0.0000 ]
check "F2 acts with the panel open" grep -qx 'Frametime: ON' "$WORK/panel.log"
check "Tab announces 'Settings panel: OFF'" grep -qx 'Settings panel: OFF' "$WORK/panel.log"
check "no GL error with the panel" grep -qx 'GL errors: 0' "$WORK/panel.log"
# The panel's last section bar (Time, folded) is blue over the brown ground.
blue_over_red() { pngstat mean "$1" 262 456 610 470 | awk '{ print $3 - $1 }'; }
open_blue=$(blue_over_red "$WORK/panel/emberwight-0001.png"); closed_blue=$(blue_over_red "$WORK/closed.png")
check "the panel is in the picture while open ($open_blue)" awk -v d="$open_blue" 'BEGIN { exit !(d > 20) }'
check "and gone once Tab closed it ($closed_blue)" awk -v d="$closed_blue" 'BEGIN { exit !(d < 5) }'

# SPACE starts the tour: the camera jumps onto the first circle (radius 20
# around (-2.5, 10, 0)) and looks at its centre; the mouse is ignored.
start_running "$WORK/tour.log" 320 240 0 --print-camera && {
    press space; xdotool mousemove_relative -- -40 0; sleep 0.5; quit_app; }
tx=$(camera_field "$WORK/tour.log" x); ty=$(camera_field "$WORK/tour.log" y); tz=$(camera_field "$WORK/tour.log" z)
check "SPACE put the camera on the tour ($tx $ty $tz)" awk -v x="$tx" -v y="$ty" -v z="$tz" \
    'BEGIN { r = sqrt((x + 2.5)^2 + (y - 10)^2 + z^2); exit !(r > 19.9 && r < 20.1) }'
check "the tour ignores the mouse" [ "$(camera_field "$WORK/tour.log" yaw)" = 0.0000 ]
check "the tour looks at its centre" awk -v x="$tx" -v y="$ty" -v z="$tz" \
    -v dx="$(camera_field "$WORK/tour.log" dx)" -v dy="$(camera_field "$WORK/tour.log" dy)" \
    -v dz="$(camera_field "$WORK/tour.log" dz)" \
    'BEGIN { exit !((x + 20 * dx + 2.5)^2 + (y + 20 * dy - 10)^2 + (z + 20 * dz)^2 < 0.01) }' 

# The tour moves with time: two runs stopped at different times stand apart.
spawn tour2 run_app "$WORK/tour2.log" 200 150 0 1 --frames 4 --fixed-dt 0.5 --print-camera --screenshot "$WORK/tour2.png"
spawn tour5 run_app "$WORK/tour5.log" 200 150 0 1 --frames 10 --fixed-dt 0.5 --print-camera --screenshot "$WORK/tour5.png"
status=$(result tour2)
check "tour run ends with 0 (got $status)" [ "$status" = 0 ]
status=$(result tour5)
check "second tour run ends with 0 (got $status)" [ "$status" = 0 ]
# At 2 s: theta = 2 pi * 8 / 45, phi = 0.4 pi + 0.1 pi sin(theta), r = 20.
check "tour pose at 2 s" awk -v x="$(camera_field "$WORK/tour2.log" x)" -v z="$(camera_field "$WORK/tour2.log" z)" \
    'BEGIN { pi = 3.14159265; t = 2 * pi * 8 / 45; p = 0.4 * pi + 0.1 * pi * sin(t);
             ex = -2.5 + 20 * sin(p) * cos(t); ez = 20 * sin(p) * sin(t);
             exit !((x - ex)^2 + (z - ez)^2 < 0.01) }'
check "the tour moved between 2 s and 5 s" sh -c \
    "[ \"\$(grep '^camera' '$WORK/tour2.log')\" != \"\$(grep '^camera' '$WORK/tour5.log')\" ]"
diff_tour=$(pngstat diff "$WORK/tour2.png" "$WORK/tour5.png")
check "the tour's pictures at 2 s and 5 s differ ($diff_tour%)" awk -v d="$diff_tour" 'BEGIN { exit !(d > 2) }'

finish
