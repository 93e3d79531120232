#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The in-game preview benchmark (not part of the test command): this revision against the
# preview before it became an editor (revision 892c1ff), measured in one run. Builds this tree
# in build-bench/ and the old revision, checked out in a temporary git worktree, in
# build-bench-old/; then runs the two benchmark programs turn about and prints the median and
# worst of each figure and their ratio (the panel's keystroke, which has no figure before the
# editor, against the keystroke in Text1 before it).
#   bench/preview.sh [runs] [rounds per run] [keys per run]
# Runs offscreen by default; set QT_QPA_PLATFORM=xcb (under xvfb-run) to draw through X.
set -euo pipefail
cd "$(dirname "$0")/.."
readonly baseline=892c1ff
runs=${1:-3}
rounds=${2:-3}
keys=${3:-40}
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

old=$(mktemp -d)
trap 'git worktree remove --force "$old" >/dev/null 2>&1 || rm -rf "$old"' EXIT
git worktree add --detach "$old" "$baseline" >/dev/null 2>&1
for build in build-bench:"$PWD" build-bench-old:"$old"; do
    cmake -S bench -B "${build%%:*}" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DHUEPRINT_SOURCE_DIR="${build#*:}" >/dev/null
    cmake --build "${build%%:*}" --parallel "$jobs" --target preview_bench >/dev/null
done

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
     "Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$runs runs of each, turn about; each run $rounds rounds of each text and $keys keys into each"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
samples=$(mktemp)
for ((run = 0; run < runs; ++run)); do
    build-bench-old/preview_bench "$rounds" "$keys" | sed 's/^/before\t/' >>"$samples" ||
        echo "before: run $run stopped (see above)" >&2
    build-bench/preview_bench "$rounds" "$keys" | sed 's/^/editor\t/' >>"$samples" ||
        echo "editor: run $run stopped (see above)" >&2
done
python3 - "$samples" <<'PY'
import statistics, sys
figures = {}
for line in open(sys.argv[1]):
    build, name, value = line.rstrip("\n").split("\t")
    figures.setdefault(name, {}).setdefault(build, []).append(float(value))
print(f"{'figure':60} {'before: median / worst':>24} {'editor: median / worst':>24} {'ratio':>6}")
for name, builds in figures.items():
    cells, medians = [], {}
    for build in ("before", "editor"):
        values = builds.get(build)
        if values:
            medians[build] = statistics.median(values)
            cells.append(f"{medians[build]:9.2f} / {max(values):9.2f} ms")
        else:
            cells.append(f"{'-':>24}")
    ratio = f"{medians['editor'] / medians['before']:6.2f}" if len(medians) == 2 else f"{'-':>6}"
    print(f"{name:60} {cells[0]:>24} {cells[1]:>24} {ratio}")
# Before the editor, Text1 with the preview open was the way to edit a text while seeing it drawn.
for prefix in ("100 kB", "100 kB map text"):
    text1 = figures.get(f"{prefix}: keystroke in Text1, preview open", {}).get("before")
    panel = figures.get(f"{prefix}: keystroke in the panel", {}).get("editor")
    if text1 and panel:
        before, after = statistics.median(text1), statistics.median(panel)
        print(f"{prefix + ': panel keystroke / Text1 keystroke before':60} "
              f"{before:9.2f} / {max(text1):9.2f} ms {after:9.2f} / {max(panel):9.2f} ms "
              f"{after / before:6.2f}")
PY
rm -f "$samples"
