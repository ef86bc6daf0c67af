#!/usr/bin/env bash
# Runs each codec fuzzer of the fuzz build (cmake --preset fuzz; cmake --build --preset fuzz) for
# SECONDS seconds (default 15), on a copy of its seed corpus in the build folder, and fails if one
# of them finds a crash, a leak or a hang. Inputs that failed are left in build/fuzz/fuzz-run/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-15}
build=${FUZZ_BUILD_DIR:-build/fuzz}
targets=(fuzz_szdd fuzz_qbasic fuzz_kwaj fuzz_expand fuzz_roundtrip fuzz_lzx)

status=0
for target in "${targets[@]}"; do
  exe=$build/tests/fuzz/$target
  if [ ! -x "$exe" ]; then
    echo "$target: missing $exe (build the fuzz preset first)"
    exit 1
  fi
  work=$build/fuzz-run/$target
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/crashes"
  cp tests/fuzz/corpus/"$target"/* "$work/corpus/"
  if "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$work/crashes/" "$work/corpus" >"$work/log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    echo "$target: ok, ${runs:-?} runs in ${seconds}s"
  else
    echo "$target: FAILED (log: $work/log, inputs: $work/crashes/)"
    tail -n 30 "$work/log"
    status=1
  fi
done
exit $status
