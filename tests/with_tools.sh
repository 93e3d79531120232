#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test that needs programs from outside the build (lintian, a desktop-file validator):
#   with_tools.sh <program>... -- <command>...
# Where one of them is missing, the test is skipped with the reason (status 77, which CTest
# counts as skipped), as in a distribution's build; with HUEPRINT_REQUIRE_ALL_TESTS=1
# (scripts/test.sh) that is a failure instead.
set -euo pipefail
missing=()
while (($# > 0)) && [[ $1 != -- ]]; do
    path=$(type -P "$1" || true)
    [[ -f $path && -x $path ]] || missing+=("$1")
    shift
done
shift
if ((${#missing[@]} > 0)); then
    if [[ ${HUEPRINT_REQUIRE_ALL_TESTS:-} == 1 ]]; then
        echo "FAIL: not installed: ${missing[*]}" >&2
        exit 1
    fi
    echo "SKIP: not installed: ${missing[*]}"
    exit 77
fi
exec "$@"
