# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Shared by the end-to-end sessions (sourced): a fresh user under a temporary HOME on a virtual X
# server of its own, and the helpers that report, wait, find the program's windows and read its
# settings. A session sources this, checks its tools with require_tools, then calls
# start_session and starts the program (setting app_pid) itself.

readonly title="Hueprint For WarCraft 3 Colored Text"
readonly screen_width=1280 screen_height=1024
# shellcheck disable=SC2034 # used by the sessions
readonly twips_per_pixel=15
readonly timeout_s=10
step_width=66 # the width of a step's text in the report

# require_tools <tool>...: skips the session (exit status 77, which CTest counts as skipped)
# unless each one is installed; with HUEPRINT_REQUIRE_ALL_TESTS=1 (scripts/test.sh) it fails.
require_tools() {
    local tool path missing=()
    for tool in "$@"; do
        path=$(type -P "$tool" || true)
        [[ -f $path && -x $path ]] || missing+=("$tool")
    done
    ((${#missing[@]} == 0)) && return
    if [[ ${HUEPRINT_REQUIRE_ALL_TESTS:-} == 1 ]]; then
        echo "FAIL: not installed: ${missing[*]}" >&2
        exit 1
    fi
    echo "SKIP: not installed: ${missing[*]}"
    exit 77
}

work=""
xvfb_options=() # more options for the X server, set by a session before start_session
xvfb_pid=""
helper_pids=() # programs the session runs besides the X server and the program (a window manager)
app_pid=""
cleanup() {
    if [[ -n "$app_pid" ]]; then kill "$app_pid" 2>/dev/null || true; fi
    local pid
    for pid in "${helper_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [[ -n "$work" ]]; then rm -rf "$work"; fi
}

fail() {
    echo "FAIL: $*" >&2
    if [[ -s "$work/program.log" ]]; then sed 's/^/  program: /' "$work/program.log" >&2; fi
    exit 1
}
step() { printf "  %-${step_width}s ok\n" "$*"; }
pass() { echo "PASS in $(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')s"; }

# start_session: the work folder (removed on exit), a fresh user (nothing stored from an earlier
# run, the desktop's defaults) and an X server of screen_width x screen_height on DISPLAY.
start_session() {
    started=$(date +%s.%N)
    work=$(mktemp -d)
    trap cleanup EXIT

    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
    export XDG_SESSION_TYPE=x11

    # The X server picks a free display itself and reports it on a pipe.
    local display_fd display_number
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp \
        -noreset "${xvfb_options[@]}" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t "$timeout_s" -u "$display_fd" display_number || fail "Xvfb did not start"
    exec {display_fd}>&-
    export DISPLAY=":$display_number"
}

program_alive() { [[ -z "$app_pid" ]] || kill -0 "$app_pid" 2>/dev/null; }

# wait_for <description> <command...>: polls the command until it succeeds.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + timeout_s))
    until "$@" >/dev/null 2>&1; do
        program_alive || fail "the program ended while waiting for $what"
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# The window manager is up once its check window, named on the root window, names itself.
window_manager_ready() {
    local check own
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK | awk '/window id/ { print $NF }')
    [[ -n "$check" ]] || return 1
    own=$(xprop -id "$check" _NET_SUPPORTING_WM_CHECK | awk '/window id/ { print $NF }')
    [[ "$own" == "$check" ]]
}

# expect_exit_status_0: waits for the program to end (after Alt+X), with status 0.
expect_exit_status_0() {
    local deadline=$((SECONDS + timeout_s)) status=0
    while kill -0 "$app_pid" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "the program did not end after Alt+X"
        sleep 0.05
    done
    wait "$app_pid" || status=$?
    app_pid=""
    [[ $status -eq 0 ]] || fail "the program ended with status $status"
}

# The program's visible top-level windows with the caption, one id per line.
windows() { xdotool search --onlyvisible --pid "$app_pid" --name "^${title}\$" 2>/dev/null || true; }
window_count_is() { [[ $(windows | grep -c .) -eq $1 ]]; }

# ini_value <file> <section> <key>: prints the value stored there; fails if there is none.
ini_value() {
    awk -v section="[$2]" -v key="$3" '
        /^\[/ { s = $0; gsub(/%20/, " ", s); in_section = (s == section); next }
        in_section {
            k = $0; sub(/[ \t]*=.*/, "", k); gsub(/%20/, " ", k)
            if (k == key) { v = $0; sub(/^[^=]*=[ \t]*/, "", v); print v; found = 1; exit }
        }
        END { exit !found }' "$1"
}
