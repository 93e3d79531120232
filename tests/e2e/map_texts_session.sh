#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A map maker's session with the "Map Texts" window of the real program under a virtual X
# server, by the keyboard (xdotool): open a map's folder from the command line, filter the list,
# edit a string in the panel, replace a color across the file, save; the file is then compared
# byte for byte with what it should hold. No window manager runs: the script gives windows the
# input focus itself.
#
#   map_texts_session.sh <path to the hueprint executable>
set -euo pipefail

# shellcheck source=tests/e2e/session_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/session_lib.sh"

program=${1:?usage: map_texts_session.sh <hueprint executable>}
require_tools Xvfb xdotool cmp

start_session
# shellcheck disable=SC2034 # read by step()
step_width=72

# A string table as the game's editor writes one: a byte-order mark, blocks out of order, a
# zero-padded number, comments, CRLF and LF lines mixed, CJK text, gold codes in three
# spellings.
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

focus() { xdotool windowfocus --sync "$1"; }
# The program's window with a caption that ends so (--all: of the program and so named).
window_named() { xdotool search --all --onlyvisible --pid "$app_pid" --name "$1\$" 2>/dev/null | head -1; }
table_is_expected() { cmp -s "$table" "$expected"; }

# 1. "hueprint FOLDER" opens the folder's war3map.wts in the "Map Texts" window.
"$program" "$map" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for "the Map Texts window" window_named "war3map.wts - Map Texts - $title"
window=$(window_named "war3map.wts - Map Texts - $title")
focus "$window"
step "hueprint FOLDER: the Map Texts window $window shows war3map.wts"

# 2. Ctrl+F goes to the filter; typing narrows the list to string 1, which is selected.
xdotool key ctrl+f
xdotool type --delay 20 "storm"
step "Ctrl+F, typed storm into the filter"

# 3. F2 goes to the panel: text typed at the end of string 1 (the list's only string now).
xdotool key F2 ctrl+End
xdotool type --delay 20 " now"
wait_for "the unsaved mark in the caption" window_named "war3map.wts\\* - Map Texts - $title"
step "F2, typed ' now' at the end of the string: the caption marks it unsaved"

# 4. Shift+Tab goes back to the Colors view, whose first color (gold, the most used) becomes
#    the chosen one; Alt+R replaces it: in the color dialog, Alt+H goes to its HTML field.
xdotool key shift+Tab Home
xdotool key alt+r
wait_for "the color dialog" window_named "Replace FFCC00 With"
dialog=$(window_named "Replace FFCC00 With")
# The program gives the dialog the focus itself once it is shown, and takes a moment more to
# make it the window its keys go to: keys sent before go astray. They are sent once the focus
# has stayed on the dialog for half a second.
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
focus "$window"
step "Alt+R on gold in the Colors view: replaced by #ffd700 in the color dialog"

# 5. Ctrl+S saves: the file holds exactly the expected bytes, and the caption is clean again.
xdotool key ctrl+s
deadline=$((SECONDS + timeout_s))
until table_is_expected || ((SECONDS >= deadline)); do sleep 0.05; done
if ! table_is_expected; then
    cmp "$table" "$expected" >&2 || true
    od -c "$table" | sed 's/^/  saved:    /' >&2
    od -c "$expected" | sed 's/^/  expected: /' >&2
    fail "the saved file differs from the expected one"
fi
wait_for "the clean caption" window_named "war3map.wts - Map Texts - $title"
step "Ctrl+S: the file is byte for byte the expected one ($(wc -c <"$table") bytes)"

# 6. Ctrl+W closes the window, nothing left unsaved: the program ends with status 0.
xdotool key ctrl+w
expect_exit_status_0
step "Ctrl+W: the program ended with status 0"

pass
