#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make fuzz: builds the libFuzzer targets (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for FUZZ_SECONDS
# (default 60) from its seed corpus in tests/fuzz/corpus/<target>/, plus the
# real calibration files when they are present (read in place). New inputs go
# to build-fuzz/corpus/<target>/, findings to build-fuzz/findings/<target>/.
#
# scripts/fuzz.sh --quick (part of make test): FUZZ_SECONDS defaults to 5, and
# new inputs go to a temporary folder removed afterwards, so that a target
# that no longer builds or fails on its own seeds fails the test run.
# Exits 1 when any target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=false
[ "${1:-}" = --quick ] && quick=true
seconds=${FUZZ_SECONDS:-$($quick && echo 5 || echo 60)}
real_maps=${TESSARINE_REAL_MAPS:-$PWD/../shared/real-maps}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
export QT_QPA_PLATFORM=offscreen

work=build-fuzz
if $quick; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi

failed=()
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  binary=build-fuzz/tests/fuzz/$target
  [ -x "$binary" ] || { echo "no fuzz target $target for $seeds" >&2; exit 2; }
  # libFuzzer adds what it finds to the first folder only: the seeds are read.
  corpus=$work/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  extra=()
  dict=tests/fuzz/$target.dict
  [ -f "$dict" ] && extra+=(-dict="$dict")
  if [ "$target" = fuzz_map_reader ] && [ -d "$real_maps" ]; then
    extra+=("$real_maps")
  fi
  log=build-fuzz/$target.log
  echo "== $target: $seconds s"
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$seeds" "${extra[@]}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "== $target: FOUND A FAULT, input kept in $findings/ (log: $log)"
    failed+=("$target")
  else
    grep -E '^stat::number_of_executed_units|^Done' "$log" || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "Fuzzing found no fault."
