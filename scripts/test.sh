#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
stage() { # runs a stage and says how long it took
  local start=$SECONDS
  "$@"
  echo "[$1: $((SECONDS - start)) s]"
}
stage scripts/build.sh
# Proof against bad input: the tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# each fuzz target for a bounded time, clang-tidy and cppcheck. The sanitized build is clang's
# (the one above is gcc's Release build), warnings as errors in both, so the suite runs built
# by either compiler.
stage scripts/sanitized-tests.sh
stage scripts/fuzz.sh
stage scripts/static-analysis.sh
cd build
# The normal tests come last, and their summary line ("100% tests passed, 0 tests failed out
# of N") is the last line printed: ctest's label times and total time come before it.
ctest --output-on-failure --timeout 300 -j "$(nproc)" |
  awk '/^Total Test time/ { next }
       /tests passed, [0-9]+ tests? failed out of/ { summary = $0; next }
       /^$/ { blank++; next }
       { for (; blank > 0; blank--) print ""; print; fflush() }
       END { if (summary != "") { print ""; print summary } }'
