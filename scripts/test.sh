#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds and runs every test: what CI runs. A test whose tools are
# missing fails here (HUEPRINT_REQUIRE_ALL_TESTS=1), where a plain ctest would skip it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
export HUEPRINT_REQUIRE_ALL_TESTS=1
stage() { # runs a stage and says how long it took
  local start=$SECONDS
  "$@"
  echo "[$1: $((SECONDS - start)) s]"
}
# gcc's Release build of the program and its tests (build/), warnings as errors.
stage scripts/build.sh
# Proof against bad input: clang's build under AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/, warnings as errors, so the suite builds warning-free with either compiler) runs
# every test but the packaging ones, the fuzz targets' saved inputs included; then each fuzz
# target for 20 seconds; then clang-tidy and cppcheck.
stage scripts/sanitized-tests.sh
stage scripts/fuzz.sh 20
stage scripts/static-analysis.sh
cd build
# The tests of the gcc build come last, all of them, and their summary line ("100% tests
# passed, 0 tests failed out of N") is the last line printed: ctest's label times and total
# time come before it.
ctest --output-on-failure --timeout 300 -j "$(nproc)" |
  awk '/^Total Test time/ { next }
       /tests passed, [0-9]+ tests? failed out of/ { summary = $0; next }
       /^$/ { blank++; next }
       { for (; blank > 0; blank--) print ""; print; fflush() }
       END { if (summary != "") { print ""; print summary } }'
