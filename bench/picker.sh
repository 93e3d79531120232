#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the program in build-bench/ and runs the picker benchmark (not part of the test
# command): the picker's opening against a bare window of its size, a damaged 6 MB settings
# file against the file a first run leaves and an empty one, and a slider step against a
# slider that writes one text box.
#   bench/picker.sh [rounds]
# Runs offscreen by default; set QT_QPA_PLATFORM=xcb (under xvfb-run) to draw through X.
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S bench -B build-bench "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench --parallel "$(( $(nproc) < 2 ? $(nproc) : 2 ))" --target picker_bench >/dev/null
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
     "Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6), load average $(cut -d' ' -f1-3 /proc/loadavg)"
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" exec build-bench/picker_bench "$@"
