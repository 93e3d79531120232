#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The "Map Texts" benchmark (not part of the test command): opening a generated table of 8,500
# strings (1.5 MB, half colored, CJK) in the window, and each keystroke of its filter, against
# plain baselines measured in the same run. Builds this tree in build-bench/ and prints the
# median and worst of each figure.
#   bench/map_texts_window.sh [rounds]
# Runs offscreen by default; set QT_QPA_PLATFORM=xcb (under xvfb-run) to draw through X.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
cmake -S bench -B build-bench "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench --parallel "$jobs" --target map_texts_window_bench >/dev/null

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
     "Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6), load average $(cut -d' ' -f1-3 /proc/loadavg)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
build-bench/map_texts_window_bench "$rounds" 2>/dev/null | python3 -c '
import statistics, sys
figures = {}
for line in sys.stdin:
    name, value = line.rstrip("\n").split("\t")
    figures.setdefault(name, []).append(float(value))
for name, values in figures.items():
    print(f"{name:34} median {statistics.median(values):8.2f} ms   worst {max(values):8.2f} ms   ({len(values)} samples)")
'
