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
    if [[ "$2" != "$3" ]]; then
        printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        failed=1
    else
        echo "ok: $1"
    fi
}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$hueprint" "$@"; }

printf 'STRING 1\n{\n|cffffcc00Gold|r\n}\n' >clean.wts
printf '\xef\xbb\xbfSTRING 2\r\n// \xe6\xad\r\n{\r\n|cFFffcc00open\r\n}\r\n' >open.wts
printf 'STRING 1\n{\nno end\n' >damaged.wts
mkdir map && cp open.wts map/war3map.wts

out=$(run --check clean.wts 2>&1); status=$?
expect "--check, nothing found: status" 0 "$status"
expect "--check, nothing found: output" "" "$out"

out=$(run --check damaged.wts map 2>err.txt); status=$?
expect "--check, a damaged file: status" 2 "$status"
expect "--check, the other file still checked" \
    'map/war3map.wts:STRING 2: character 1: color left open at the end (no "|r"): it colors whatever text follows when strings are joined' \
    "$out"
expect "--check, the damaged file told" \
    "hueprint: damaged.wts: not a string table: line 3: the text of STRING 1 (from line 3) has no line \"}\" closing it" \
    "$(cat err.txt)"

out=$(run --check open.wts 2>&1); status=$?
expect "--check, a note: status" 1 "$status"

out=$(run --replace-color FFCC00 FFD700 open.wts clean.wts 2>&1); status=$?
expect "--replace-color: status" 0 "$status"
expect "--replace-color: output" $'open.wts: 1 code changed\nclean.wts: 1 code changed' "$out"
printf '\xef\xbb\xbfSTRING 2\r\n// \xe6\xad\r\n{\r\n|cFFffd700open\r\n}\r\n' >expected.wts
cmp -s open.wts expected.wts
expect "--replace-color: the file's bytes" 0 "$?"

out=$(run --replace-color FFCC00 FFD700 damaged.wts 2>/dev/null); status=$?
expect "--replace-color, a damaged file: status" 2 "$status"
printf 'STRING 1\n{\nno end\n' | cmp -s - damaged.wts
expect "--replace-color, a damaged file is not written" 0 "$?"
exit "$failed"
