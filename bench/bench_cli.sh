#!/bin/bash
# Times the whole process "dexaru2 search neko" on the real dictionaries
# (every EDICT slot, KANJIDIC and the radical files loaded, one search, the
# output written) side by side with "edict-grep -e 猫" from Debian's edict
# package, which greps the same EDICT file. dexaru2 runs three ways: with a
# warm index cache, as a first run (no cache yet; it parses and writes one)
# and with the cache turned off (DEXARU_INDEX_CACHE=0). The caches live in a
# temporary folder. Reports the medians, ratios and peak memory against the
# targets:
#   warm median < 18 ms and at most 0.6 x edict-grep's; first run at most
#   15 ms slower than with the cache off; peak memory < 64 MB.
#
#   bash bench/bench_cli.sh [runs]        (default 30 runs each)
# DEXARU_BUILD_DIR names the build tree (default build/); its bin/ must hold
# dexaru2 and the dictionaries (scripts/setup-dictionaries.sh).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${DEXARU_BUILD_DIR:-$here/../build}"
program="$(cd "$build_dir/bin" && pwd)/dexaru2"
runs="${1:-30}"

if [[ ! -x "$program" ]]; then
  echo "bench_cli: $program is missing; build first (bash scripts/build.sh)" >&2
  exit 1
fi
if [[ ! -r "$build_dir/bin/dictionaries/edict/edict" ]]; then
  echo "bench_cli: no dictionaries beside $program (bash scripts/setup-dictionaries.sh)" >&2
  exit 1
fi
if ! command -v edict-grep >/dev/null; then
  echo "bench_cli: edict-grep is missing (apt-get install edict)" >&2
  exit 1
fi

# edict-grep converts its query with the terminal's character set.
export LC_ALL=C.UTF-8
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT

warm_cache="$workdir/warm-cache"
first_cache="$workdir/first-cache"
dexaru_command="XDG_CACHE_HOME=$warm_cache $program search neko"
first_command="XDG_CACHE_HOME=$first_cache $program search neko"
off_command="DEXARU_INDEX_CACHE=0 $program search neko"
first_prepare="rm -rf $first_cache"
peer_command="edict-grep -e 猫"
bash -c "$dexaru_command" >/dev/null 2>&1  # fills the warm cache

# The same program beside the same data but without the EDICT files: the
# part of the run that does not depend on the word dictionaries.
bare="$workdir/bare"
mkdir -p "$bare/dictionaries/edict"
cp "$program" "$bare/dexaru2"
for data in partsofspeech.drx fuzzysearch.uni.dat dictionaries/kanjidic dictionaries/radical; do
  ln -s "$(cd "$build_dir/bin" && pwd)/$data" "$bare/$data"
done
bare_command="DEXARU_INDEX_CACHE=0 $bare/dexaru2 search neko"

# Median wall-clock time in milliseconds of $runs runs of a command, each
# after the optional preparation command.
median_ms() {
  local command="$1" prepare="${2:-true}" times="$workdir/times"
  : > "$times"
  for ((i = 0; i < 3; ++i)); do bash -c "$prepare; $command" >/dev/null 2>&1; done
  for ((i = 0; i < runs; ++i)); do
    local start end
    bash -c "$prepare"
    start=$(date +%s%N)
    bash -c "$command" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000)) >> "$times"
  done
  sort -n "$times" | awk '{ t[NR] = $1 } END {
    m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "%.1f", m / 1000 }'
}

if command -v hyperfine >/dev/null; then
  hyperfine --style basic --warmup 3 --runs "$runs" --export-csv "$workdir/times.csv" \
    --prepare true --command-name "dexaru2 search neko (warm cache)" "$dexaru_command" \
    --prepare true --command-name "edict-grep -e 猫" "$peer_command" \
    --prepare "$first_prepare" --command-name "dexaru2 first run" "$first_command" \
    --prepare true --command-name "dexaru2 cache off" "$off_command" \
    --prepare true --command-name "dexaru2 without EDICT" "$bare_command" >&2
  # Columns: command,mean,stddev,median,user,system,min,max (seconds).
  column_ms() { awk -F, -v row="$1" 'NR == row { printf "%.1f", $4 * 1000 }' "$workdir/times.csv"; }
  dexaru_median=$(column_ms 2)
  peer_median=$(column_ms 3)
  first_median=$(column_ms 4)
  off_median=$(column_ms 5)
  bare_median=$(column_ms 6)
else
  dexaru_median=$(median_ms "$dexaru_command")
  peer_median=$(median_ms "$peer_command")
  first_median=$(median_ms "$first_command" "$first_prepare")
  off_median=$(median_ms "$off_command")
  bare_median=$(median_ms "$bare_command")
fi

# Peak resident memory in kilobytes: the largest of five runs.
peak_kb() {
  local peak=0 kb
  for ((i = 0; i < 5; ++i)); do
    kb=$(/usr/bin/time -f %M bash -c "$1" 2>&1 >/dev/null | tail -n 1)
    ((kb > peak)) && peak=$kb
  done
  echo "$peak"
}
dexaru_peak=$(peak_kb "$dexaru_command 2>/dev/null")
first_peak=$(peak_kb "$first_prepare; $first_command 2>/dev/null")
peer_peak=$(peak_kb "$peer_command")

ratio=$(awk -v a="$dexaru_median" -v b="$peer_median" 'BEGIN { printf "%.2f", a / b }')
verdict() { if awk "BEGIN { exit !($1) }"; then echo "met"; else echo "MISSED"; fi; }

echo
echo "Runs per command:      $runs"
printf "%-22s median %7.1f ms   peak memory %6.1f MB\n" "dexaru2 search neko" \
  "$dexaru_median" "$(awk -v k="$dexaru_peak" 'BEGIN { print k / 1024 }')"
printf "%-22s median %7.1f ms   peak memory %6.1f MB\n" "dexaru2 first run" \
  "$first_median" "$(awk -v k="$first_peak" 'BEGIN { print k / 1024 }')"
printf "%-22s median %7.1f ms\n" "dexaru2 cache off" "$off_median"
printf "%-22s median %7.1f ms   peak memory %6.1f MB\n" "edict-grep -e 猫" \
  "$peer_median" "$(awk -v k="$peer_peak" 'BEGIN { print k / 1024 }')"
echo "Ratio dexaru2 / edict-grep: $ratio"
printf "%-22s median %7.1f ms   (the EDICT part of the run: %.1f ms)\n" \
  "dexaru2 without EDICT" "$bare_median" \
  "$(awk -v a="$dexaru_median" -v b="$bare_median" 'BEGIN { print a - b }')"
first_extra=$(awk -v a="$first_median" -v b="$off_median" 'BEGIN { printf "%.1f", a - b }')
echo "First run minus cache off: $first_extra ms"
echo "Target warm median < 18 ms:       $(verdict "$dexaru_median < 18")"
echo "Target ratio <= 0.6:              $(verdict "$ratio <= 0.6")"
echo "Target first run <= off + 15 ms:  $(verdict "$first_extra <= 15")"
echo "Target peak memory < 64 MB:       $(verdict "$dexaru_peak < 65536 && $first_peak < 65536")"
