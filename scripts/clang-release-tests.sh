#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Hueprint with clang as a plain Release build with warnings as errors (build-clang/)
# and runs its tests, so that the program builds warning-free and works with both compilers
# (scripts/build.sh is the gcc Release build). The packaging tests run once, in the gcc build.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-clang -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build-clang --parallel "$(nproc)"
status=0
ctest --test-dir build-clang --output-on-failure --timeout 300 -j "$(nproc)" -LE packaging \
  >build-clang/ctest.log 2>&1 || status=$?
if ((status != 0)); then
  cat build-clang/ctest.log >&2
  echo "clang Release tests FAILED" >&2
  exit "$status"
fi
grep -E 'tests passed' build-clang/ctest.log | sed 's/^/clang Release: /'
