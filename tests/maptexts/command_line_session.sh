#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built program's --check and --replace-color with no display at all: no DISPLAY, no
# WAYLAND_DISPLAY, no QT_QPA_PLATFORM. Usage: command_line_session.sh <hueprint>
set -uo pipefail
hueprint=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
expect() { # <what> <expected> <actual>
    [[ "$2" == "$3" ]] && echo "ok: $1" && return
    printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
    failed=1
}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$hueprint" "$@"; }

printf '\xef\xbb\xbfSTRING 2\r\n// \xe6\xad\r\n{\r\n|cFFffcc00open\r\n}\r\n' >open.wts
printf 'STRING 1\n{\nno end\n' >damaged.wts

out=$(run --check damaged.wts open.wts 2>/dev/null); status=$?
expect "--check, a damaged file: status 2" 2 "$status"
expect "--check, the other file still checked" "open.wts:STRING 2: character 1: color left open at the end (no \"|r\"): it colors whatever text follows when strings are joined" "$out"

out=$(run --replace-color FFCC00 FFD700 open.wts 2>&1); status=$?
expect "--replace-color: status and output" "0 open.wts: 1 code changed" "$status $out"
printf '\xef\xbb\xbfSTRING 2\r\n// \xe6\xad\r\n{\r\n|cFFffd700open\r\n}\r\n' | cmp -s - open.wts
expect "--replace-color: the file's bytes" 0 "$?"
exit "$failed"
