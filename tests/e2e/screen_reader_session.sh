#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end run of the real program as a blind user meets it: the keyboard alone (xdotool),
# under a window manager (openbox), on a session bus with the desktop accessibility bus (AT-SPI)
# and the Orca screen reader. What the program tells assistive technology is read back through
# the bus (atspi_probe.py, on python3-pyatspi); what Orca says is read from its debug log, whose
# "SPEECH OUTPUT" lines are the words it speaks (no speech server runs: nothing is heard). The
# report lists, after each step, what Orca said meanwhile (key echoes left out).
#
# Orca starts while the program runs and stops before it ends: the program carries on alike.
#
#   screen_reader_session.sh <path to the hueprint executable>
set -euo pipefail

# shellcheck source=tests/e2e/session_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/session_lib.sh"

program=${1:?usage: screen_reader_session.sh <hueprint executable>}
program=$(realpath "$program")
probe="$(dirname "${BASH_SOURCE[0]}")/atspi_probe.py"
# The system's Python, which has the accessibility bindings (one earlier on PATH may not).
python=/usr/bin/python3
[[ -x $python ]] || python=python3
require_tools Xvfb openbox xdotool xprop dbus-daemon dbus-send orca /usr/libexec/at-spi-bus-launcher "$python"
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
    [[ ${HUEPRINT_REQUIRE_ALL_TESTS:-} != 1 ]] || { echo "FAIL: no python3-pyatspi" >&2; exit 1; }
    echo "SKIP: not installed: python3-pyatspi"
    exit 77
fi
step_width=72
# A key held down (hold_keys_until) does not repeat: the first repeat would come after 30 s.
xvfb_options=(-ardelay 30000)

start_session
trap 'fail "stopped at line $LINENO"' ERR

# A session bus of its own with the accessibility bus on it, and a window manager.
exec {bus_fd}<> <(:)
dbus-daemon --session --nofork --nopidfile --print-address="$bus_fd" >"$work/dbus.log" 2>&1 &
helper_pids+=($!)
read -r -t "$timeout_s" -u "$bus_fd" DBUS_SESSION_BUS_ADDRESS || fail "the session bus did not start"
exec {bus_fd}>&-
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
helper_pids+=($!)
# The program asks the accessibility registry for its listeners as it starts, and waits for the
# answer: the registry is up before the program starts.
a11y_bus() { dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress; }
wait_for "the accessibility bus" a11y_bus
a11y_address=$(a11y_bus | tr -d ' ')
wait_for "the accessibility registry" dbus-send --bus="$a11y_address" --print-reply \
    --dest=org.a11y.atspi.Registry /org/a11y/atspi/registry org.freedesktop.DBus.Peer.Ping
openbox --sm-disable >"$work/openbox.log" 2>&1 &
helper_pids+=($!)
# A window mapped before the window manager is up would not get the focus.
wait_for "the window manager" window_manager_ready

# A call to a program that hangs would block the probe without end: it gets half a minute.
probe() { timeout 30 "$python" "$probe" "$(basename "$program")" "$@"; }
# expect_focus <name>: the control with the keyboard focus, as the accessibility bus tells it.
expect_focus() { probe focus "$1" >/dev/null || fail "the focus is not on '$1'"; }
expect_result() {
    local text
    text=$(probe text "Copy This To Your Map") || fail "cannot read the result box"
    [[ $text == "$1" ]] || fail "the result box holds '$text', expected '$1'"
}

# Orca, with the debug log that holds what it says. Its customizations, run at its start, make
# it write the log line by line (by default it writes in blocks); no speech server can start.
speech="$work/orca.log"
mkdir -p "$work/orca-prefs"
cat >"$work/orca-prefs/orca-customizations.py" <<'PYTHON'
import orca.debug
if orca.debug.debugFile is not None:
    orca.debug.debugFile.reconfigure(line_buffering=True)
PYTHON
orca_pid=""
start_orca() {
    SPEECHD_CMD=/bin/false orca --debug-file "$speech" --user-prefs "$work/orca-prefs" \
        >"$work/orca.out" 2>&1 &
    orca_pid=$!
    helper_pids+=("$orca_pid")
}

# What Orca has said, one utterance a line (a key's echo ends in a blank), and how much of it
# the report has shown.
spoken() { sed -n "s/.*SPEECH OUTPUT: '\(.*\)' *{.*/\1/p" "$speech" 2>/dev/null; }
heard=0
said_since() { spoken | tail -n +$((heard + 1)) | grep -qF -- "$1"; }
# hear <text>: waits until Orca has said the text (within an utterance) since the last hear,
# then reports what it said meanwhile.
hear() {
    wait_for "Orca to say '$1'" said_since "$1"
    local total
    total=$(spoken | wc -l)
    spoken | sed -n "$((heard + 1)),${total}p" | grep -v ' $' | sed 's/^/      orca: /' || true
    heard=$total
}

# The toolkit hands each key to the screen reader first and waits a tenth of a second for its
# answer before it takes the key itself; keys typed faster than a busy Orca answers are then
# taken out of turn or lost. So each key waits until Orca's log has been still for a moment.
orca_quiet() {
    [[ -z $orca_pid ]] && return
    local size
    size=$(stat -c %s "$speech")
    sleep 0.05
    [[ $(stat -c %s "$speech") == "$size" ]]
}
keys() {
    local key
    for key in "$@"; do
        wait_for "Orca to fall quiet" orca_quiet
        xdotool key "$key"
    done
}
type_text() {
    wait_for "Orca to fall quiet" orca_quiet
    xdotool type --delay 100 "$1"
}
# hold_keys_until <keys> <what> <command...>: presses the keys (as "xdotool key" does) and
# lets them go once the command succeeds. For a key that closes a window the program then
# deletes: the toolkit hands each key to Orca first and gives it back afterwards to the window it
# was meant for; a key whose window has gone by then it drops without freeing it (a leak of the
# toolkit's, which LeakSanitizer reports as the program ends). So the window goes first.
hold_keys_until() {
    local held=$1 what=$2
    shift 2
    wait_for "Orca to fall quiet" orca_quiet
    xdotool keydown "$held"
    wait_for "$what" "$@"
    xdotool keyup "$held"
}
# The picker's window exists (hidden or not) until the program deletes the picker.
picker_alive() { xprop -id "$picker" WM_CLASS >/dev/null 2>&1; }
dialog_shown() { xdotool search --all --onlyvisible --pid "$app_pid" --name "^Choose a Color\$"; }

# 1. The program, then Orca.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for "the template window" window_count_is 1
template=$(windows)
expect_focus "Chosen Color Code"
step "template window shown, the focus in the code box"
start_orca
deadline=$((SECONDS + 30)) # Orca takes seconds to start, longer on a busy machine
until said_since "Screen reader on"; do
    ((SECONDS < deadline)) || fail "Orca did not start"
    sleep 0.1
done
hear "Screen reader on"
step "Orca started while the program runs"

# 2. Type Hello; Tab to "Blue" (past the chosen color, Picture48 down to Picture40); Space.
keys Tab Tab Tab Tab
expect_focus "Enter Your Text Here"
type_text "Hello"
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
expect_focus "Blue"
keys space
expect_result '|cFF0000FFHello|r'
step "Hello, Tab x10 to Blue, Space: result |cFF0000FFHello|r"
hear "Chosen color: Blue"

# 3. Down to Blue's neighbour below, Return.
keys Down
expect_focus "Light Blue"
keys Return
expect_result '|cFF8080FFHello|r'
step "Down to Light Blue, Return: result |cFF8080FFHello|r"
hear "Chosen color: Light Blue"

# 4. The picker opens on the first favorite; Space.
keys alt+u
wait_for "the picker window" window_count_is 2
picker=$(windows | grep -vx "$template" || true)
[[ -n $picker ]] || fail "the second window is not the picker"
expect_focus "Favorite 1: Dark Blue"
keys space
step "Alt+U, Space on the first favorite"
hear "Current color: Dark Blue"

# 5. "R&andom", by Tab back from the red box ("&Red Component:" puts the focus there); Space.
keys alt+r shift+Tab
expect_focus "Random"
keys space
step "Alt+R, Shift+Tab to Random, Space"
hear "Current color: "

# 6. "Gra&ph", then Escape: the focus is back on "Gra&ph", in the picker.
keys shift+Tab
expect_focus "Graph"
keys space
wait_for "the color dialog" dialog_shown
keys Escape
wait_for "the color dialog to close" eval '! dialog_shown'
expect_focus "Graph"
[[ $(xdotool getactivewindow) == "$picker" ]] || fail "the picker is not the active window"
step "Graph, Escape: the focus back on Graph, the picker active"

# 7. "Gra&ph" again: red 200 in the dialog, Return for OK.
keys space
wait_for "the color dialog" dialog_shown
keys alt+r 2 0 0 Return
wait_for "the color dialog to close" eval '! dialog_shown'
expect_focus "Graph"
step "Graph, red 200, OK: the focus back on Graph"
hear "Current color: "

# 8. A typed component and a slider step.
keys Tab Tab
expect_focus "Red Component Number"
type_text "7"
step "Tab to the red box, 7"
hear "Current color: "
keys Tab Tab Tab Right
expect_focus "Red Component"
step "Tab to the red slider, Right"
hear "Current color: "

# 9. "&Set This Color" hands the color over: the template window says it.
hold_keys_until alt+s "the picker to close" eval 'window_count_is 1 && ! picker_alive'
step "Alt+S: the picker closed"
hear "Chosen color: "

# 10. Orca stops; the program carries on: Shift+Tab back from "C&ustom Color" (which Alt+U
#     focused) past "&About" and the result box to "Black"; Space.
kill "$orca_pid"
orca_running() { [[ $(awk '{ print $3 }' "/proc/$orca_pid/stat" 2>/dev/null) =~ ^[^ZX]$ ]]; }
wait_for "Orca to stop" eval '! orca_running'
wait "$orca_pid" 2>/dev/null || true
orca_pid=""
timeout 10 xdotool windowactivate --sync "$template" || fail "the template window is not active"
keys shift+Tab shift+Tab shift+Tab
expect_focus "Black"
keys space
expect_result '|cFF000000Hello|r'
step "Orca stopped; Shift+Tab x3 to Black, Space: result |cFF000000Hello|r"

keys alt+x
expect_exit_status_0
step "Alt+X: the program ended with status 0"
pass
