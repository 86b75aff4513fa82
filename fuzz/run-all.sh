#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a fixed number of runs on its seed corpus.
set -euo pipefail
build=${1:?usage: run-all.sh FUZZ_BUILD_DIR}
runs=${FUZZ_RUNS:-20000}
# Any one allocation past this is a finding: no file may steer the code to more.
limits="-malloc_limit_mb=128 -rss_limit_mb=2048"
shopt -s nullglob
found=0
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  found=1
  name=$(basename "$target")
  seeds="$build/corpus/$name"
  work=$(mktemp -d)
  echo "fuzzing $name for $runs runs"
  "$target" -runs="$runs" -max_total_time=300 $limits "$work" ${seeds:+$( [ -d "$seeds" ] && echo "$seeds")}
  rm -rf "$work"
done
[ "$found" = 1 ] || { echo "no fuzz targets built in $build"; exit 1; }
