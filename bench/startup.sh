#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the program and the bare-window baseline in build-bench/ and runs the startup
# benchmark (not part of the test command):
#   bench/startup.sh [--runs N]
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S bench -B build-bench "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench --parallel "$(( $(nproc) < 2 ? $(nproc) : 2 ))" >/dev/null
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
     "Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
exec python3 bench/startup.py build-bench/hueprint/hueprint build-bench/bare_window "$@"
