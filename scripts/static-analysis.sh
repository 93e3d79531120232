#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Static analysis of the program's own code: clang-tidy with the committed .clang-tidy over the
# program (src/; each file takes seconds, and the tests and fuzz targets are compiled warning-
# free by gcc and clang already), and cppcheck, which is quick, over src/, tests/ and fuzz/.
# Both read build/compile_commands.json; any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build=build

# The compile commands, and the moc files the sources include, come from the normal build.
scripts/build.sh

# The program's translation units.
mapfile -t sources < <(grep -o '"file": *"[^"]*"' "$build/compile_commands.json" |
  sed 's/^"file": *"\(.*\)"$/\1/' | grep -E "^$root/src/.*\.cpp$" | sort -u)

echo "clang-tidy: ${#sources[@]} files"
tidy_log="$build/clang-tidy.log"
status=0
printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet \
    --header-filter="^$root/src/.*\.h$" \
    --extra-arg=-Wno-gnu-zero-variadic-macro-arguments >"$tidy_log" 2>&1 || status=$?
if ((status != 0)) || grep -q -E '(warning|error):' "$tidy_log"; then
  grep -E -A3 '(warning|error):' "$tidy_log" >&2 || cat "$tidy_log" >&2
  echo "clang-tidy FAILED (full log: $tidy_log)" >&2
  exit 1
fi
echo "clang-tidy: clean"

echo "cppcheck: src/ tests/ fuzz/"
cppcheck_dir="$build/cppcheck"
cppcheck_log="$build/cppcheck.log"
mkdir -p "$cppcheck_dir"
status=0
cppcheck --project="$build/compile_commands.json" \
  --file-filter="src/*" --file-filter="tests/*" --file-filter="fuzz/*" -i "$build" \
  --library=tests/static-analysis/qt-extra.cfg --library=qt --std=c++17 \
  --enable=warning,performance,portability --inline-suppr \
  --suppressions-list=tests/static-analysis/cppcheck.supp \
  --cppcheck-build-dir="$cppcheck_dir" -j "$(nproc)" --quiet --error-exitcode=1 \
  --template='{file}:{line}: {severity}: {message} [{id}]' >"$cppcheck_log" 2>&1 || status=$?
if ((status != 0)) || [[ -s "$cppcheck_log" ]]; then
  cat "$cppcheck_log" >&2
  echo "cppcheck FAILED" >&2
  exit 1
fi
echo "cppcheck: clean"
