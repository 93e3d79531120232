#!/usr/bin/env bash
# Configures and builds Hueprint in build/ (Release with debug info).
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
