#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan) and runs each for a
# number of seconds on its corpus in tests/fuzz/corpus/<target>, with its dictionary
# tests/fuzz/dict/<target>.dict when there is one, a few at once. Prints one row per target:
# its executions, the coverage it gained (edges) and its findings (crash, leak, timeout or
# out-of-memory inputs, kept in build/fuzz/work/<target>/findings). Exits 1 on any finding.
#   fuzz.sh SECONDS [PARALLEL]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
seconds=${1:-60}
parallel=${2:-3}
jobs=${TAVORA_JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DTAVORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" >"$build/build.log" 2>&1 || { tail -40 "$build/build.log"; exit 1; }

run_one() {  # name seconds
  local name=$1 seconds=$2 root=$ROOT build=$BUILD
  local work=$build/work/$name corpus=$root/tests/fuzz/corpus/$name dict=$root/tests/fuzz/dict/$name.dict
  rm -rf "$work"
  mkdir -p "$work/new" "$work/findings" "$corpus"
  local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
              -artifact_prefix="$work/findings/")
  [ -f "$dict" ] && args+=(-dict="$dict")
  # New inputs go to the work folder; the corpus in the tree is only read.
  "$build/tests/fuzz/fuzz_$name" "${args[@]}" "$work/new" "$corpus" >"$work/log" 2>&1 || true
  local runs start end found
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  start=$(sed -n 's/.*INITED cov: \([0-9]*\).*/\1/p' "$work/log" | head -1)
  end=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' "$work/log" | tail -1)
  found=$(find "$work/findings" -type f | wc -l)
  printf '%s %s %s %s\n' "$name" "${runs:-0}" "$(( ${end:-0} - ${start:-0} ))" "$found" >"$work/row"
}
export -f run_one
export ROOT=$root BUILD=$build

targets=$(cd "$build/tests/fuzz" && ls fuzz_* | sed 's/^fuzz_//' | sort)
printf '%s\n' $targets | xargs -P"$parallel" -I{} bash -c 'run_one {} '"$seconds"

status=0
printf '%-20s %12s %13s %9s\n' target executions "new coverage" findings
for name in $targets; do
  read -r _ runs gained found <"$build/work/$name/row"
  printf '%-20s %12s %13s %9s\n' "$name" "$runs" "$gained" "$found"
  if [ "$found" -ne 0 ]; then
    status=1
    find "$build/work/$name/findings" -type f | sed 's/^/  finding: /'
    grep -m3 -E 'ERROR: |finding: |runtime error' "$build/work/$name/log" | sed 's/^/  /' || true
  fi
done
exit $status
