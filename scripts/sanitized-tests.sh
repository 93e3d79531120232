#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (clang, build-asan/)
# and runs the tests under them, the fuzz targets' saved inputs and the end-to-end sessions
# included; the packaging tests (label packaging), which check files rather than run code, are
# left to the normal build. Passes only when every test passes and no process wrote a
# sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sanitizer-env.sh
build_sanitized

# Every process the tests start writes its reports here, child processes included.
reports="$sanitized_build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="$ASAN_OPTIONS:log_path=$reports/asan"
export UBSAN_OPTIONS="$UBSAN_OPTIONS:log_path=$reports/ubsan"

status=0
ctest --test-dir "$sanitized_build" --output-on-failure --timeout 600 -j "$(nproc)" \
  --label-exclude packaging || status=$?
if compgen -G "$reports/*" >/dev/null; then
  for report in "$reports"/*; do
    echo "== sanitizer report $report" >&2
    cat "$report" >&2
  done
  status=1
fi
if ((status != 0)); then
  echo "sanitized tests FAILED" >&2
  exit "$status"
fi
echo "sanitized tests: all passed, no sanitizer reports"
