#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every fuzz target (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer, built
# in build-asan/) for a bounded time and fails on any finding.
#   scripts/fuzz.sh                    30 seconds per target (what scripts/test.sh runs)
#   scripts/fuzz.sh 1800               30 minutes per target
#   scripts/fuzz.sh 600 fuzz_settings_load
# Each target starts from its committed seeds (fuzz/corpus/<target>/) and from what earlier runs
# found (build-asan/fuzz-corpus/<target>/). A finding is saved in build-asan/fuzz-findings/;
# once its fault is mended, copy the input into fuzz/corpus/<target>/ so that every test run
# replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sanitizer-env.sh

seconds="${1:-30}"
shift || true
targets=("$@")
every_target=$((${#targets[@]} == 0))
if ((every_target)); then # every target: fuzz/fuzz_<name>.cpp
  for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
build_sanitized >/dev/null

logs="$sanitized_build/fuzz-logs"
mkdir -p "$logs"

run_target() {
  local target="$1"
  local corpus="$sanitized_build/fuzz-corpus/$target"
  local findings="$sanitized_build/fuzz-findings/$target"
  mkdir -p "$corpus" "$findings"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1
                 -artifact_prefix="$findings/")
  if [[ -f "fuzz/$target.dict" ]]; then options+=(-dict="fuzz/$target.dict"); fi
  local status=0
  QT_QPA_PLATFORM=offscreen "$sanitized_build/fuzz/$target" "${options[@]}" \
    "$corpus" "fuzz/corpus/$target" >"$logs/$target.log" 2>&1 || status=$?
  echo "$status" >"$logs/$target.status"
}

# The targets run side by side, one per processor.
rm -f "$logs"/*.status
running=0
for target in "${targets[@]}"; do
  if ((running >= $(nproc))); then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
wait
failed=()
for target in "${targets[@]}"; do
  if [[ "$(cat "$logs/$target.status" 2>/dev/null)" != 0 ]]; then failed+=("$target"); fi
done

printf '%-22s %12s %10s %8s\n' target executions "exec/s" corpus
for target in "${targets[@]}"; do
  log="$logs/$target.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  corpus=$(grep -o 'corp: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-22s %12s %10s %8s\n' "$target" "${runs:--}" "${speed:--}" "${corpus:--}"
done

# The editor played by a random user, as the test command plays it but longer, on a seed of its
# own each time (printed in the log; HUEPRINT_MODEL_SEED replays one).
if ((every_target)); then
  seed="${HUEPRINT_MODEL_SEED:-$RANDOM}"
  echo "tst_editor_model: seed $seed, $((seconds * 20)) actions" >"$logs/tst_editor_model.log"
  if ! QT_QPA_PLATFORM=offscreen HUEPRINT_MODEL_STEPS=$((seconds * 20)) HUEPRINT_MODEL_SEED="$seed" \
       "$sanitized_build/tests/tst_editor_model" >>"$logs/tst_editor_model.log" 2>&1; then
    failed+=(tst_editor_model)
  fi
fi

if ((${#failed[@]})); then
  for target in "${failed[@]}"; do
    echo "== $target found a fault (log $logs/$target.log):" >&2
    grep -E -A40 'ERROR|INVARIANT BROKEN|runtime error|Test unit written|FAIL!' "$logs/$target.log" | head -80 >&2 || tail -40 "$logs/$target.log" >&2
    echo "reproduce: $sanitized_build/fuzz/$target <input from $sanitized_build/fuzz-findings/$target/>" >&2
  done
  echo "fuzzing FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "fuzzing: no findings in ${seconds} s per target"
