#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A map maker's session with the "Map Texts" window of the real program under Xvfb, by the
# keyboard (xdotool): open a map's folder, filter, edit a string in the panel, replace a color,
# save; the file is compared byte for byte with what it should hold. No window manager runs: the
# script gives windows the focus itself. Usage: map_texts_session.sh <hueprint executable>
set -euo pipefail

# shellcheck source=tests/e2e/session_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/session_lib.sh"

program=${1:?usage: map_texts_session.sh <hueprint executable>}
require_tools Xvfb xdotool cmp

start_session
# shellcheck disable=SC2034 # read by step()
step_width=72

# A byte-order mark, blocks out of order, a zero-padded number, comments, CRLF and LF mixed, CJK
# text, gold codes in three spellings.
map="$work/My Map.w3x"
mkdir -p "$map"
table="$map/war3map.wts"
write_table() { # <string 1's text> <gold's digits, three spellings>
    local gold
    read -r -a gold <<<"$2"
    printf '\xEF\xBB\xBF'
    printf 'STRING 3\r\n// Units: Footman (Name)\r\n{\r\n|cff%sGold|r Footman\r\n}\r\n\r\n' "${gold[0]}"
    printf 'STRING 001\n// Abilities: Storm Bolt (Tooltip)\n{\n%s\n}\n\n' "$1"
    printf 'STRING 2\r\n{\r\nplain words\r\n}\r\n\r\n'
    printf 'STRING 4\n{\n|cFF%sGold|r again\n}\n\n' "${gold[2]}"
    printf 'STRING 10\n// Quests\n{\n|c00ff0000\xE7\xBA\xA2\xE8\x89\xB2 left open\n}\n'
}
write_table "Storm Bolt [|cffffcc00Q|r]
Deals |cFFFF0000100|r damage." "FFcc00 ffcc00 FFCC00" >"$table"
expected="$work/expected.wts"
write_table "Storm Bolt [|cffffd700Q|r]
Deals |cFFFF0000100|r damage. now" "FFd700 ffd700 FFD700" >"$expected"

window_named() { xdotool search --all --onlyvisible --pid "$app_pid" --name "$1\$" 2>/dev/null | head -1; }

# 1. "hueprint FOLDER" opens the folder's war3map.wts.
"$program" "$map" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for "the Map Texts window" window_named "war3map.wts - Map Texts - $title"
window=$(window_named "war3map.wts - Map Texts - $title")
xdotool windowfocus --sync "$window"
step "hueprint FOLDER: the Map Texts window $window shows war3map.wts"

# 2. Ctrl+F, "storm": the list narrows to string 1, selected. 3. F2: typed at its end.
xdotool key ctrl+f
xdotool type --delay 20 "storm"
xdotool key F2 ctrl+End
xdotool type --delay 20 " now"
wait_for "the unsaved mark in the caption" window_named "war3map.wts\\* - Map Texts - $title"
step "Ctrl+F storm, F2, typed ' now' at the end of string 1: the caption marks it unsaved"

# 4. Shift+Tab to the Colors view, Home: gold (the most used); Alt+R: the color dialog, whose
#    focus settles a moment after it is shown (keys sent before go astray); Alt+H: its HTML field.
xdotool key shift+Tab Home
xdotool key alt+r
wait_for "the color dialog" window_named "Replace FFCC00 With"
dialog=$(window_named "Replace FFCC00 With")
focused_is() { [[ $(xdotool getwindowfocus) == "$1" ]]; }
dialog_has_settled_focus() {
    focused_is "$dialog" || xdotool windowfocus --sync "$dialog"
    sleep 0.5
    focused_is "$dialog"
}
wait_for "the color dialog to take the focus" dialog_has_settled_focus
xdotool key alt+h ctrl+a
xdotool key --delay 20 numbersign f f d 7 0 0 Return
dialog_closed() { [[ -z $(window_named "Replace FFCC00 With") ]]; }
wait_for "the color dialog to close" dialog_closed
xdotool windowfocus --sync "$window"
step "Alt+R on gold in the Colors view: replaced by #ffd700 in the color dialog"

# 5. Ctrl+S: the file holds exactly the expected bytes, the caption is clean again.
xdotool key ctrl+s
wait_for "the saved file to be byte for byte the expected one" cmp -s "$table" "$expected"
wait_for "the clean caption" window_named "war3map.wts - Map Texts - $title"
step "Ctrl+S: the file is byte for byte the expected one ($(wc -c <"$table") bytes)"

# 6. Ctrl+W, nothing left unsaved: the program ends with status 0.
xdotool key ctrl+w
expect_exit_status_0
step "Ctrl+W: the program ended with status 0"

pass
