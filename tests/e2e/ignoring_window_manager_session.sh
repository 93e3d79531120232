#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end run of the real program under a window manager that says it answers
# _NET_REQUEST_FRAME_EXTENTS but never does (ignoring_window_manager): the program must not wait
# for it.
#  - a click on "C&ustom Color" to the picker's first paint takes well under the second a program
#    waiting for the answer would lose: the fastest of up to three openings (each closed with
#    "&Set This Color") is under half of it. The figures are printed; an opening takes a few
#    milliseconds, a few hundred at worst on a busy machine;
#  - both windows still stand in the middle of the screen (this window manager draws no frame).
#
#   ignoring_window_manager_session.sh <hueprint executable> <ignoring_window_manager executable>
set -euo pipefail

# shellcheck source=tests/e2e/session_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/session_lib.sh"

program=${1:?usage: ignoring_window_manager_session.sh <hueprint> <ignoring_window_manager>}
window_manager=${2:?usage: ignoring_window_manager_session.sh <hueprint> <ignoring_window_manager>}
require_tools Xvfb xdotool xprop xwininfo

readonly longest_ms=500 # half the wait of a program that waits for the answer
step_width=76

start_session
"$window_manager" >"$work/window_manager.log" 2>&1 &
helper_pids+=($!)
wait_for "the window manager" window_manager_ready

# first_paint <object name> [<n>]: the CLOCK_MONOTONIC time (ns) of the first paint of the n-th
# window of that name (default the first).
first_paint() {
    awk -v name="$1" -v n="${2:-1}" '$1 == "first-paint" && $2 == name && ++seen == n { print $3; exit }' \
        "$work/program.log"
}
has_first_paint() { [[ -n "$(first_paint "$@")" ]]; }

# expect_centered <name> <window>: the window (without frame) in the middle of the screen.
expect_centered() {
    local info x y w h above below before after
    info=$(xwininfo -id "$2")
    x=$(awk -F: '/Absolute upper-left X/ { print $2 + 0 }' <<<"$info")
    y=$(awk -F: '/Absolute upper-left Y/ { print $2 + 0 }' <<<"$info")
    w=$(awk -F: '/Width/ { print $2 + 0 }' <<<"$info")
    h=$(awk -F: '/Height/ { print $2 + 0 }' <<<"$info")
    above=$y below=$((screen_height - y - h)) before=$x after=$((screen_width - x - w))
    local figures="$above above, $below below, $before left, $after right"
    (((above - below) ** 2 <= 1 && (before - after) ** 2 <= 1)) ||
        fail "$1 is not centred: ${w}x${h} at $x,$y: $figures"
    step "$1 ${w}x${h} at $x,$y: $figures"
}

echo "display $DISPLAY, window manager ignoring_window_manager"
HUEPRINT_REPORT_FIRST_PAINT=1 "$program" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for "the template window" window_count_is 1
template=$(windows)
wait_for "the template window's first paint" has_first_paint Form1
expect_centered "template window" "$template"

# The window manager prints its clock on SIGUSR1.
clock_count_is() { [[ $(grep -c '^clock' "$work/window_manager.log") -eq $1 ]]; }

# open_picker <n>: the n-th click on "C&ustom Color" (Command5 at 3480,1320, 1335 x 375 twips
# in Frame2 at 120,1920), timed from just before it by the window manager's clock, the clock of
# the program's first-paint report; sets picker and elapsed_ms.
open_picker() {
    xdotool mousemove --sync --window "$template" \
        $(((120 + 3480 + 1335 / 2) / twips_per_pixel)) $(((1920 + 1320 + 375 / 2) / twips_per_pixel))
    kill -USR1 "${helper_pids[0]}"
    wait_for "the window manager's clock" clock_count_is "$1"
    xdotool click 1
    wait_for "the picker window" window_count_is 2
    picker=$(windows | grep -vx "$template")
    wait_for "the picker's first paint" has_first_paint frmMain "$1"
    local clicked
    clicked=$(awk -v n="$1" '$1 == "clock" && ++seen == n { print $2 }' "$work/window_manager.log")
    elapsed_ms=$((($(first_paint frmMain "$1") - clicked) / 1000000))
}

figures=()
for attempt in 1 2 3; do
    open_picker "$attempt"
    figures+=("$elapsed_ms ms")
    ((attempt == 1)) && expect_centered "picker" "$picker"
    ((elapsed_ms < longest_ms)) && break
    xdotool windowfocus --sync "$picker"
    xdotool key alt+s
    wait_for "the picker to close" window_count_is 1
done
ignored=$(grep -c '^ignored-frame-request' "$work/window_manager.log" || true)
((elapsed_ms < longest_ms)) ||
    fail "the picker was first painted ${figures[*]} after the click (at most ${longest_ms} ms); frame-extents requests left unanswered: $ignored"
step "\"C&ustom Color\" clicked to the picker's first paint: ${figures[*]} (unanswered requests: $ignored)"

xdotool windowfocus --sync "$template"
xdotool key alt+x
expect_exit_status_0
step "Alt+X: the program ended with status 0"
pass
