#!/usr/bin/env bash
# The long fuzzing runs: each target of a fuzz build (or only TARGET) for SECONDS (default 600)
# on both cores,
# growing its corpus in fuzz/corpus-TARGET/ from the seeds the build made. Prints per target
# the runs and the result; any crash, leak, hang or timeout fails, its input left in
# fuzz/findings/. Any one allocation of more than 128 MB is a finding too.
set -uo pipefail
build=$(cd "${1:?usage: long.sh FUZZ_BUILD_DIR [SECONDS [TARGET]]}" && pwd)
seconds=${2:-600}
only=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$here/findings"
shopt -s nullglob
status=0
found=0
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  [ -z "$only" ] || [ "$name" = "$only" ] || continue
  found=1
  corpus="$here/corpus-$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$build/corpus/$name" ] && seeds=("$build/corpus/$name")
  logs=$(mktemp -d)
  echo "fuzzing $name for $seconds s on 2 workers"
  (cd "$logs" && "$target" -jobs=2 -workers=2 -max_total_time="$seconds" -timeout=10 \
     -rss_limit_mb=2048 -malloc_limit_mb=128 -print_final_stats=1 -artifact_prefix="$here/findings/$name-" \
     "$corpus" "${seeds[@]}" > /dev/null 2>&1)
  exit_code=$?
  runs=0
  result=ok
  workerLogs=("$logs"/fuzz-*.log)
  if [ ${#workerLogs[@]} = 0 ]; then
    result="FAILED (no worker ran; exit status $exit_code)"
    status=1
  fi
  for log in "${workerLogs[@]}"; do
    n=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}')
    runs=$((runs + ${n:-0}))
    if grep -q -E 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer)|SUMMARY' "$log"; then
      result="FAILED ($(grep -m1 -o -E 'ERROR: [A-Za-z]+: [^ ]+( [^ ]+)?' "$log"); see $log)"
      status=1
    fi
  done
  if [ "$result" = ok ] && [ "$exit_code" != 0 ]; then
    result="FAILED (exit status $exit_code; see $logs)"
    status=1
  fi
  echo "$name: $runs runs in $seconds s on 2 workers, corpus $(ls "$corpus" | wc -l) inputs: $result"
  [ "$result" = ok ] && rm -rf "$logs"
done
if [ "$found" = 0 ]; then
  echo "no fuzz target ${only:-at all} in $build"
  status=1
fi
exit $status
