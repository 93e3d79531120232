#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end run of the real program under a virtual X server, driven the way a user drives
# it: mouse and keyboard through XTEST (xdotool), the clipboard read back by another X client
# (xclip). No window manager runs, so the script gives windows the input focus itself.
#
#   desktop_session.sh <path to the hueprint executable>
set -euo pipefail

# shellcheck source=tests/e2e/session_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/session_lib.sh"

program=${1:?usage: desktop_session.sh <hueprint executable>}
require_tools Xvfb xdotool xclip xprop

start_session
settings_file="$XDG_CONFIG_HOME/$(basename "$program").ini"
readonly settings_file

# The sizes of the window's icon that the program hands the window manager (_NET_WM_ICON),
# as "16x16 24x24 ...". -len: by default xprop reads only the first part of a property.
icon_sizes() {
    xprop -len 100000000 -id "$1" _NET_WM_ICON |
        sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)):.*/\1x\2/p' | tr '\n' ' ' | sed 's/ $//'
}
readonly expected_icon_sizes="16x16 24x24 32x32 48x48 64x64 128x128 256x256"
expect_icon_sizes() {
    local sizes
    sizes=$(icon_sizes "$1")
    [[ "$sizes" == "$expected_icon_sizes" ]] || fail "window $1 offers icon sizes '$sizes'"
}

clipboard() { xclip -o -selection clipboard 2>/dev/null; }
clipboard_is() { [[ "$(clipboard)" == "$1" ]]; }
expect_clipboard() {
    local expected=$1
    local deadline=$((SECONDS + timeout_s))
    until clipboard_is "$expected"; do
        program_alive || fail "the program ended while waiting for the clipboard"
        if ((SECONDS >= deadline)); then
            fail "clipboard holds '$(clipboard || true)', expected '$expected'"
        fi
        sleep 0.05
    done
}

# Gives the window the input focus (XSetInputFocus; no window manager needed) and waits until
# the server reports it.
focus() { xdotool windowfocus --sync "$1"; }

# click_at <window> <x> <y>: a left click at a point of the window's client area, in pixels.
click_at() {
    local x y
    eval "$(xdotool getwindowgeometry --shell "$1")" # sets X, Y, WIDTH, HEIGHT
    x=$((X + $2))
    y=$((Y + $3))
    xdotool mousemove --sync "$x" "$y" click 1
}

# twips_center <left> <top> <width> <height>: the center of a rectangle given in twips, in
# pixels, as "x y".
twips_center() {
    echo $((($1 + $3 / 2) / twips_per_pixel)) $((($2 + $4 / 2) / twips_per_pixel))
}

echo "display $DISPLAY, settings $settings_file"

# 1. Start: the template window appears, alone.
"$program" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for "the template window" window_count_is 1
template=$(windows)
focus "$template"
step "template window $template shown"
expect_icon_sizes "$template"
step "its icon in every size: $expected_icon_sizes"

# 2. Type Hello into the user's text box Text2 (Frame1 at 120,120; Text2 at 120,240 in it,
#    5175 x 1335).
read -r tx ty < <(twips_center $((120 + 120)) $((120 + 240)) 5175 1335)
click_at "$template" "$tx" "$ty"
xdotool type --delay 20 "Hello"
step "typed Hello into the text box"

# 3. Click the red swatch Picture10: column 2, row 4 of the grid in Frame2 (at 120,1920).
n=10
column=$(((n - 1) / 6 + 1))
row=$(((n - 1) % 6 + 1))
read -r sx sy < <(twips_center $((120 + 120 + 360 * (column - 1))) \
    $((1920 + 240 + 240 * (row - 1))) 375 255)
click_at "$template" "$sx" "$sy"
step "clicked Picture10 (column $column, row $row) at $sx,$sy"

# 4. Alt+C copies the finished markup.
xdotool key alt+c
expect_clipboard '|cFFFF0000Hello|r'
step "Alt+C: clipboard holds |cFFFF0000Hello|r"

# 5. Alt+U opens the picker, which copies its value text on loading.
xdotool key alt+u
wait_for "the picker window" window_count_is 2
picker=$(windows | grep -vx "$template")
expect_clipboard '|cFF000000'
step "Alt+U: picker window $picker shown, clipboard holds |cFF000000"
expect_icon_sizes "$picker"
step "the picker's icon in every size too"

# 6. Move the sliders with the keyboard: Alt+R puts the focus in the red box; the sliders
#    follow the three boxes in tab order. End takes red to 255, two Page Up steps of 5 take
#    green to 10.
focus "$picker"
xdotool key alt+r Tab Tab Tab End
expect_clipboard '|cFFFF0000'
xdotool key Tab Prior Prior
expect_clipboard '|cFFFF0A00'
step "sliders moved: red End, green Page Up x2 -> |cFFFF0A00"

# 7. Alt+S ("&Set This Color") hands the color over and closes the picker.
xdotool key alt+s
wait_for "the picker to close" window_count_is 1
[[ $(windows) == "$template" ]] || fail "the window left open is not the template window"
focus "$template"
xdotool key alt+c
expect_clipboard '|cFFFF0A00Hello|r'
step "Alt+S: picker closed, Alt+C: clipboard holds |cFFFF0A00Hello|r"

# 8. Alt+X ends the program with status 0.
xdotool key alt+x
expect_exit_status_0
step "Alt+X: the program ended with status 0"

# 9. The settings file holds every key of the store, and the color handed over.
[[ -f "$settings_file" ]] || fail "no settings file at $settings_file"
keys=()
for i in $(seq 0 14); do keys+=("Favorites/$i"); done
for k in "Current Color" AutoCopy Decimal Hexadecimal Binary Prefix "Number of Characters"; do
    keys+=("Settings/$k")
done
keys+=("Form Position/X" "Form Position/Y")
for entry in "${keys[@]}"; do
    ini_value "$settings_file" "${entry%%/*}" "${entry#*/}" >/dev/null || {
        sed 's/^/  settings: /' "$settings_file" >&2
        fail "the settings file lacks $entry"
    }
done
current=$(ini_value "$settings_file" Settings "Current Color")
[[ $current == $((255 + 10 * 256)) ]] || fail "stored Current Color is $current, expected 2815"
step "settings file holds all ${#keys[@]} keys, Current Color=$current"

pass
