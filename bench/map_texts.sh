#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the program in build-bench/ and runs the map texts benchmark (not part of the test
# command): a generated 1.5 MB string table of 8,500 strings read and listed, checked and
# recolored, each against reading the file and splitting it into lines in the same run.
#   bench/map_texts.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S bench -B build-bench "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench --parallel "$(( $(nproc) < 2 ? $(nproc) : 2 ))" --target map_texts_bench >/dev/null
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
     "Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6), load average $(cut -d' ' -f1-3 /proc/loadavg)"
exec build-bench/map_texts_bench "$@"
