#!/bin/bash
# Builds everything with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ (or $DEXARU_SANITIZE_BUILD_DIR),
# runs the whole test suite there (which replays every fuzz target on its
# committed corpus, label "fuzz"), then fuzzes each target for a short,
# bounded time ($DEXARU_FUZZ_SECONDS, 20 by default; 0 skips fuzzing).
# $DEXARU_FUZZ_TARGETS, a list of target names, fuzzes only those (a longer
# run of the targets that read files, say; see README).
# Findings land in <build>/fuzz-findings/ and fail the run.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source_dir="$(cd "$here/.." && pwd)"
build_dir="${DEXARU_SANITIZE_BUILD_DIR:-$source_dir/build-sanitize}"
fuzz_seconds="${DEXARU_FUZZ_SECONDS:-20}"
fuzz_targets="${DEXARU_FUZZ_TARGETS:-}"
jobs="$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

echo "== Sanitizer build in $build_dir"
CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDEXARU_SANITIZE=ON -DDEXARU_BUILD_FUZZERS=ON \
  -DDEXARU_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" -j"$jobs"

echo "== Test suite under the sanitizers (fuzz corpora replayed)"
(cd "$build_dir" && ctest --output-on-failure -j"$jobs")

if [ "$fuzz_seconds" -gt 0 ]; then
  findings="$build_dir/fuzz-findings"
  mkdir -p "$findings"
  for fuzzer in "$build_dir"/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name="${fuzzer##*/fuzz_}"
    if [ -n "$fuzz_targets" ] && [[ " $fuzz_targets " != *" $name "* ]]; then
      continue
    fi
    # New inputs go to a scratch corpus; the committed one is only read.
    work="$build_dir/fuzz-work/$name"
    mkdir -p "$work"
    log="$build_dir/fuzz-work/$name.log"
    echo "== Fuzzing $name for ${fuzz_seconds}s"
    # The line reader of dexaru2 read keeps its memory bounded whatever the line.
    rss_limit=2048
    [ "$name" = read ] && rss_limit=512
    if ! "$fuzzer" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb="$rss_limit" \
         -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$findings/$name-" \
         "$work" "$source_dir/fuzz/corpus/$name" >"$log" 2>&1; then
      tail -n 80 "$log" >&2
      echo "Fuzzing $name found a fault; its input is in $findings/" >&2
      exit 1
    fi
    grep -E '^stat::number_of_executed_units' "$log" || true
  done
fi
echo "== Sanitizer build, tests and fuzzing passed"
