#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the screenshots in docs/screenshots from the real program under Xvfb, each set with a
# fresh user (settings in an empty folder) on a virtual X server of its own:
#   windows  template-window.png (a line typed, orange chosen) and picker-window.png
#   preview  preview-window.png: a two-color tooltip, composed with a swatch and then edited in
#            the result box
#   editor   editor.png: the editor (F2), "Storm Bolt [Q]" with the Q colored the hotkey gold
#            and a name laid over with a gradient, by keyboard as a user would
#   maptexts map-texts.png: the Map Texts window on a small map's string table, a two-line
#            tooltip selected
#   drag     drag-pencil.png: in the middle of a drag of the picker's current-color swatch
#   palette  template-{red,black}-{light,dark}.png: the template window after choosing red and
#            after choosing black, under a light and a dark Fusion palette
#
#   scripts/screenshots.sh [windows|preview|editor|maptexts|drag|palette]...   (none: all of them)
#
# Needs: build/hueprint, build/tests/template_screenshot (for palette:
# cmake --build build --target template_screenshot), xvfb-run, xdotool, ImageMagick, and for
# drag python3, libX11 and libXfixes.
set -euo pipefail
self=$(realpath "${BASH_SOURCE[0]}")
cd "$(dirname "$self")/.."
readonly out=docs/screenshots
readonly title="Hueprint For WarCraft 3 Colored Text"

# --- Inside the virtual X server --------------------------------------------------------------

# wait_for_window <caption> [<id to pass over>]: waits up to 5 s for a window with exactly that
# caption (other than the one passed over), lets it settle and prints its id.
wait_for_window() {
    local id=""
    for _ in $(seq 50); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | grep -vx "${2:-}" | head -1 || true)
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || { echo "no window \"$1\" appeared" >&2; return 1; }
    sleep 0.5
    echo "$id"
}

# window_geometry <id>: sets X and Y (and WIDTH, HEIGHT) to the window's place on the screen.
window_geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# click <x> <y>: a left click at a point of the window last measured, in pixels.
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; }

# click_swatch <n>: clicks Picture<n> of the template window's grid (in Frame2, six rows a
# column; a swatch 375 x 255 twips, 360 x 240 apart; 15 twips a pixel).
click_swatch() {
    local column=$((($1 - 1) / 6)) row=$((($1 - 1) % 6))
    click $(((120 + 120 + 360 * column + 375 / 2) / 15)) $(((1920 + 240 + 240 * row + 255 / 2) / 15))
}

# start_program: starts build/hueprint, sets pid and template (the template window's id) and
# measures the template window.
start_program() {
    build/hueprint &
    pid=$!
    template=$(wait_for_window "$title")
    window_geometry "$template"
}

# type_gold_mine: types "Gold Mine" into the text box and chooses Picture16 (orange).
type_gold_mine() {
    click 100 40
    xdotool type --delay 20 "Gold Mine"
    click_swatch 16
    sleep 0.3
}

# open_picker: "C&ustom Color" opens the picker; sets picker to its id and measures it.
open_picker() {
    click $((8 + 232 + 44)) $((128 + 88 + 12))
    picker=$(wait_for_window "$title" "$template")
    window_geometry "$picker"
}

# red_to_full: the picker's red slider to its right end.
red_to_full() {
    click $((8 + 232 + 90)) $((8 + 16 + 8))
    xdotool key End
    sleep 0.3
}

windows_scene() {
    start_program
    type_gold_mine
    import -window "$template" "$out/template-window.png"
    open_picker
    red_to_full
    import -window "$picker" "$out/picker-window.png"
    kill "$pid"
}

preview_scene() {
    start_program
    # The tooltip title in gold.
    type_gold_mine
    # A second line in green, typed at the end of the result box and left open (a note).
    click 100 300
    xdotool key ctrl+End
    xdotool type --delay 20 "|n|cFF40FF40Produces 10 gold every 5 seconds."
    # F2 opens the preview.
    xdotool key F2
    import -window "$(wait_for_window "In-Game Preview - $title")" "$out/preview-window.png"
    kill "$pid"
}

editor_scene() {
    start_program
    # F2 in the text box opens the editor with the focus in its panel.
    click 100 40
    xdotool key F2
    local editor
    editor=$(wait_for_window "In-Game Preview - $title")
    xdotool type --delay 20 "Storm Bolt [Q]"
    # The Q selected; Tab goes on to the notes, "Plain" and the hotkey gold, which Space presses.
    xdotool key Left shift+Left Tab Tab Tab space
    # Back in the panel: a second line, the hero's name, faded from gold to red with
    # "Gradient..." (after the gold, now also the first recent color, and "Other Color...").
    xdotool key shift+Tab shift+Tab shift+Tab End Return
    xdotool type --delay 20 "Arthas Menethil"
    xdotool key shift+Home Tab Tab Tab Tab Tab Tab space
    sleep 0.5
    # In the dialog: past the number of colors and the two colors to the gold, which sets the
    # first; past the recent gold, "Other Color...", the tabs and nine presets to red (preset
    # 10), which sets the second; Return applies it.
    xdotool key Tab Tab Tab space
    for _ in $(seq 13); do xdotool key Tab; done
    xdotool key space
    sleep 0.3
    xdotool key Return
    # A click in the panel under the text: the selection goes, the gradient shows.
    window_geometry "$editor"
    click 220 $((HEIGHT - 140))
    sleep 0.3
    import -window "$editor" "$out/editor.png"
    kill "$pid"
}

# map_texts_scene <work folder>: a map folder with a string table as the game's editor writes
# one, opened with "hueprint FOLDER".
map_texts_scene() {
    local map="$1/Frozen Throne Defense.w3x" n=0
    mkdir -p "$map"
    {
        printf '\xEF\xBB\xBF'
        while IFS='|' read -r comment text; do
            n=$((n + 1))
            printf 'STRING %d\r\n// %s\r\n{\r\n%b\r\n}\r\n\r\n' "$n" "$comment" "$text"
        done <<'TABLE'
Units: Footman (Name)|Footman
Units: Footman (Tooltip)|Train |cffffcc00F|rootman
Units: Footman (Extended Tooltip)|Versatile foot soldier.\r\n|cffffcc00Attacks land units.|r
Abilities: Storm Bolt (Tooltip)|Storm Bolt [|cffffcc00Q|r] - Level 1
Abilities: Storm Bolt (Extended Tooltip)|A magical hammer is thrown at an enemy unit, dealing |cffff0000100|r damage\r\nand stunning it for |cff00ff005|r seconds.
Abilities: Thunder Clap (Tooltip)|Thunder Clap [|cffffcc00W|r]
Abilities: Avatar (Extended Tooltip)|Activate to give the Mountain King |cff87ceeb+5 armor|r and |cff87ceeb500|r hit points.
Items: Claws of Attack (Name)|Claws of Attack |cff00ff00+12
Items: Claws of Attack (Description)|Increases the attack damage of the Hero by 12.
Quests: The Frozen Throne (Description)|Reach the |cffd45e19Frozen Throne|r before dawn.
Quests: The Frozen Throne (Title)|The Frozen Throne
Upgrades: Iron Forged Swords (Tooltip)|Research Iron Forged Swords [|cFFFFCC00S|r]
TABLE
    } >"$map/war3map.wts"
    build/hueprint "$map" &
    pid=$!
    local window
    window=$(wait_for_window "war3map.wts - Map Texts - $title")
    xdotool windowfocus --sync "$window"
    # Down four times: the Storm Bolt's extended tooltip, two lines in three colors.
    xdotool key Down Down Down Down
    sleep 0.5
    import -window "$window" "$out/map-texts.png"
    kill "$pid"
}

# drag_scene <work folder>: grabs the screen to screen.png mid-drag, and the pointer's image
# with pointer-image.py to pointer.rgba and pointer.txt.
drag_scene() {
    start_program
    open_picker
    # A color to drag.
    red_to_full
    # Press on picCurColor (frame at 8, 8; swatch at 8, 16 in it, 65 x 49) and drag away.
    local x=$((X + 16 + 32)) y=$((Y + 24 + 24))
    xdotool mousemove $x $y mousedown 1
    for step in $(seq 1 12); do
        xdotool mousemove $((x + 8 * step)) $((y + 6 * step))
        sleep 0.05
    done
    sleep 0.5
    import -window root "$1/screen.png"
    python3 scripts/pointer-image.py "$1/pointer.rgba" >"$1/pointer.txt"
    xdotool key Escape mouseup 1
    sleep 0.3
    kill "$pid"
}

if [[ ${1-} == --in-xvfb ]]; then
    shift
    "$@"
    exit
fi

# --- Outside ----------------------------------------------------------------------------------

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# in_xvfb <width>x<height> <command or function of this script> [<argument>...]: runs it on a
# virtual X server of that size, as a fresh user.
in_xvfb() {
    local screen=$1 config
    shift
    config=$(mktemp -d -p "$work")
    XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 ${screen}x24" bash "$self" --in-xvfb "$@"
}

take_windows() {
    in_xvfb 800x600 windows_scene
    echo "wrote $out/template-window.png and $out/picker-window.png"
}

take_preview() {
    in_xvfb 1024x768 preview_scene
    echo "wrote $out/preview-window.png"
}

take_editor() {
    in_xvfb 1024x768 editor_scene
    echo "wrote $out/editor.png"
}

take_maptexts() {
    in_xvfb 1024x768 map_texts_scene "$work"
    echo "wrote $out/map-texts.png"
}

# A screen grab leaves the pointer out, so the pointer's image is read from the X server
# (XFixes) and drawn in where the pointer stands; its size and hot spot are printed.
take_drag() {
    in_xvfb 800x600 drag_scene "$work"
    local px py pw ph hx hy
    read -r px py pw ph hx hy <"$work/pointer.txt"
    echo "pointer at ($px, $py): image ${pw} x ${ph}, hot spot ($hx, $hy)"
    convert -size "${pw}x${ph}" -depth 8 "rgba:$work/pointer.rgba" "$work/pointer.png"
    composite -geometry "+$((px - hx))+$((py - hy))" "$work/pointer.png" "$work/screen.png" \
        "$out/drag-pencil.png"
    echo "wrote $out/drag-pencil.png"
}

# Swatch 10 is red, swatch 1 black.
take_palette() {
    local palette choice name
    for palette in light dark; do
        for choice in red:10 black:1; do
            name=${choice%%:*}
            QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME='' in_xvfb 800x600 \
                build/tests/template_screenshot "$palette" "${choice##*:}" \
                "$out/template-$name-$palette.png"
            echo "wrote $out/template-$name-$palette.png"
        done
    done
}

shots=("$@")
[[ ${#shots[@]} -gt 0 ]] || shots=(windows preview editor maptexts drag palette)
for shot in "${shots[@]}"; do
    case $shot in
        windows | preview | editor | maptexts | drag | palette) ;;
        *)
            echo "usage: scripts/screenshots.sh [windows|preview|editor|maptexts|drag|palette]..." >&2
            exit 2
            ;;
    esac
done
mkdir -p "$out"
for shot in "${shots[@]}"; do "take_$shot"; done
