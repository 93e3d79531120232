#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds Hueprint in build/: a plain Release build, as packagers make it, with
# the default compiler (gcc on Debian) and warnings as errors, so that no warning of the
# optimizer's gets in.
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build --parallel "$(nproc)"
