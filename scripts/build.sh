#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds Hueprint and its tests in build/: a Release build with the default
# compiler (gcc on Debian) and warnings as errors, so that no warning of the optimizer's gets
# in. The fuzz targets are left to the sanitized build (scripts/sanitized-tests.sh), which
# builds them with libFuzzer and replays their saved inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DHUEPRINT_FUZZ_TARGETS=OFF >/dev/null
cmake --build build --parallel "$(nproc)"
