#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end run of the real program under a virtual X server with a window manager (openbox),
# checked from outside as the desktop sees it:
#  - both windows stand in the middle of the screen with their frames (the gaps above and below
#    the framed window, and left and right of it, differ by a pixel at most);
#  - the picker is kept out of the taskbar and pager, each time it is created, without an owner
#    window; the template window is not;
#  - the picker reopens where it was stored, and opens at a stored position;
#  - started through a symbolic link under another name, the program keeps its settings under
#    that name; so does a copy under another name.
#
#   window_manager_session.sh <path to the hueprint executable>
set -euo pipefail

# shellcheck source=tests/e2e/session_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/session_lib.sh"

program=${1:?usage: window_manager_session.sh <hueprint executable>}
require_tools Xvfb openbox xdotool xprop xwininfo
program=$(realpath "$program")

readonly tolerance_px=1
step_width=72

start_session
mkdir -p "$work/bin"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
helper_pids+=($!)
wait_for "the window manager" window_manager_ready
sleep 0.2 # let it finish starting up

managed() { xprop -id "$1" _NET_FRAME_EXTENTS | grep -q '='; }
net_wm_state() { xprop -id "$1" _NET_WM_STATE; }

# framed <window>: the window as the user sees it, client area and the frame the window
# manager drew around it, as "left top width height".
framed() {
    local info x y w h l r t b
    info=$(xwininfo -id "$1")
    x=$(awk -F: '/Absolute upper-left X/ { print $2 }' <<<"$info")
    y=$(awk -F: '/Absolute upper-left Y/ { print $2 }' <<<"$info")
    w=$(awk -F: '/Width/ { print $2 }' <<<"$info")
    h=$(awk -F: '/Height/ { print $2 }' <<<"$info")
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,/ /g')
    echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# expect_centered <name> <window>: the framed window's gaps to the screen's edges.
expect_centered() {
    local left top width height above below before after
    read -r left top width height < <(framed "$2")
    above=$top
    below=$((screen_height - top - height))
    before=$left
    after=$((screen_width - left - width))
    local figures="$above above, $below below, $before left, $after right"
    (((above - below) ** 2 <= tolerance_px ** 2 && (before - after) ** 2 <= tolerance_px ** 2)) ||
        fail "$1 is not centred: framed ${width}x${height} at $left,$top: $figures"
    step "$1 framed ${width}x${height} at $left,$top: $figures"
}

# start <command>: starts the program and waits for the template window, managed.
start() {
    "$1" >"$work/program.log" 2>&1 &
    app_pid=$!
    wait_for "the template window" window_count_is 1
    template=$(windows)
    wait_for "the window manager to frame the template window" managed "$template"
}

# open_picker: Alt+U in the template window, waits for the picker, managed.
open_picker() {
    xdotool windowactivate --sync "$template"
    xdotool key alt+u
    wait_for "the picker window" window_count_is 2
    picker=$(windows | grep -vx "$template")
    wait_for "the window manager to frame the picker" managed "$picker"
}

# expect_out_of_taskbar: the picker's state holds both skip atoms; it has no owner window.
expect_out_of_taskbar() {
    local state owner
    state=$(net_wm_state "$picker")
    [[ $state == *_NET_WM_STATE_SKIP_TASKBAR* && $state == *_NET_WM_STATE_SKIP_PAGER* ]] ||
        fail "the picker $1 is not kept out of taskbar and pager: $state"
    owner=$(xprop -id "$picker" WM_TRANSIENT_FOR | awk '/window id/ { print $NF }')
    [[ -z "$owner" || $((owner)) -ne $((template)) ]] ||
        fail "the picker $1 is owned by the template window"
    step "picker $1: $state"
}

# quit: Alt+X in the template window; the program ends with status 0.
quit() {
    xdotool windowactivate --sync "$template"
    xdotool key alt+x
    expect_exit_status_0
}

echo "display $DISPLAY, window manager openbox, settings in $XDG_CONFIG_HOME"
real_ini="$XDG_CONFIG_HOME/$(basename "$program").ini"

# 1. Started through a symbolic link named otherhue.
ln -s "$program" "$work/bin/otherhue"
start "$work/bin/otherhue"
state=$(net_wm_state "$template")
[[ $state != *SKIP_TASKBAR* && $state != *SKIP_PAGER* ]] ||
    fail "the template window is kept out of the taskbar: $state"
step "template window $template: $state"
expect_centered "template window" "$template"

# 2. The picker's first placement, with nothing stored: centred, out of the taskbar.
open_picker
expect_out_of_taskbar "at first"
expect_centered "picker" "$picker"
read -r first_left first_top _ < <(framed "$picker")

# 3. "&Set This Color" unloads the picker; the next one is a new window, out of the taskbar
#    as well, where the first one was stored.
xdotool windowactivate --sync "$picker"
xdotool key alt+s
wait_for "the picker to close" window_count_is 1
first_picker=$picker
open_picker
[[ $picker != "$first_picker" ]] || fail "the picker was not created afresh"
expect_out_of_taskbar "created afresh"
read -r left top _ < <(framed "$picker")
[[ $left -eq $first_left && $top -eq $first_top ]] ||
    fail "the picker reopened at $left,$top, stored at $first_left,$first_top"
step "picker reopened where it was stored, $left,$top"
quit

# 4. The settings were stored under the link's name, not the real program's.
link_ini="$XDG_CONFIG_HOME/otherhue.ini"
[[ -f $link_ini ]] || fail "no settings at $link_ini; the config directory holds: $(ls "$XDG_CONFIG_HOME")"
[[ ! -e $real_ini ]] || fail "started as otherhue, the program wrote $real_ini"
x=$(ini_value "$link_ini" "Form Position" X)
y=$(ini_value "$link_ini" "Form Position" Y)
[[ $x == $((first_left * twips_per_pixel)) && $y == $((first_top * twips_per_pixel)) ]] ||
    fail "stored position $x,$y twips, expected the frame's $first_left,$first_top pixels"
step "otherhue wrote $(basename "$link_ini") (X=$x, Y=$y), no $(basename "$real_ini")"

# 5. A copy under another name has settings of its own too; a position stored there wins over
#    centring: the picker's frame stands at it.
cp "$program" "$work/bin/copyhue"
printf '[Form%%20Position]\nX=1500\nY=3000\n' >"$XDG_CONFIG_HOME/copyhue.ini"
start "$work/bin/copyhue"
open_picker
read -r left top _ < <(framed "$picker")
[[ $left -eq 100 && $top -eq 200 ]] || fail "the picker opened at $left,$top, stored at 100,200"
step "copyhue: picker opened at its stored position, $left,$top"
quit
if ! ini_value "$XDG_CONFIG_HOME/copyhue.ini" Settings "Current Color" >/dev/null ||
    [[ -e $real_ini ]]; then
    fail "the copy did not write copyhue.ini alone: $(ls "$XDG_CONFIG_HOME")"
fi
step "copyhue wrote copyhue.ini; config directory: $(cd "$XDG_CONFIG_HOME" && echo *.ini)"

pass
