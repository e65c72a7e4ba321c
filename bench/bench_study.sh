#!/bin/bash
# Times the whole process "dexaru2 study add" on the real dictionaries side by
# side with "dexaru2 search neko", both with a warm index cache. Each add
# goes into a copy of a study list of 1,000 cards made before the run, so
# that every run looks the word up, opens the list, inserts the card and
# syncs it to disk. Reports the medians and their ratio against the target:
#   study add at most 1.3 x search neko.
#
#   bash bench/bench_study.sh [runs]        (default 30 runs each)
# DEXARU_BUILD_DIR names the build tree (default build/); its bin/ must hold
# dexaru2 and the dictionaries (scripts/setup-dictionaries.sh).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${DEXARU_BUILD_DIR:-$here/../build}"
program="$(cd "$build_dir/bin" && pwd)/dexaru2"
runs="${1:-30}"

if [[ ! -r "$build_dir/bin/dictionaries/edict/edict" ]]; then
  echo "bench_study: no dictionaries beside $program (bash scripts/setup-dictionaries.sh)" >&2
  exit 1
fi
command -v hyperfine >/dev/null || { echo "bench_study: hyperfine is missing" >&2; exit 1; }

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
export XDG_CACHE_HOME="$workdir/cache"
"$program" search neko >/dev/null 2>&1  # fills the index cache

# The list of 1,000 cards, written once through the library's own writer.
template="$workdir/template.sqlite"
DEXARU_STUDY_FILE="$template" "$program" study add 猫 >/dev/null
sqlite_rows=$(python3 - "$template" <<'PYTHON'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
row = db.execute("SELECT * FROM cards").fetchone()
for i in range(999):
    db.execute("INSERT INTO cards VALUES (NULL" + ",?" * (len(row) - 1) + ")",
               (row[1] + str(i),) + row[2:])
db.commit()
print(db.execute("SELECT count(*) FROM cards").fetchone()[0])
db.execute("PRAGMA wal_checkpoint(TRUNCATE)")
PYTHON
)
list="$workdir/study.sqlite"
# Synced, so that the timed run does not pay for writing the copy.
prepare="rm -f $list $list-wal $list-shm; cp $template $list; sync $list"

hyperfine --style basic --warmup 3 --runs "$runs" --export-csv "$workdir/times.csv" \
  --prepare true --command-name "dexaru2 search neko" "$program search neko" \
  --prepare "$prepare" --command-name "dexaru2 study add neko" \
  "DEXARU_STUDY_FILE=$list $program study add neko" \
  --prepare "$prepare" --command-name "dexaru2 study add tabeta" \
  "DEXARU_STUDY_FILE=$list $program study add tabeta" >&2
# Columns: command,mean,stddev,median,user,system,min,max (seconds). The
# processor time (user + system, means) is printed too: on a busy machine
# the wall-clock times mostly measure the wait for a processor.
column_ms() { awk -F, -v row="$1" 'NR == row { printf "%.1f", $4 * 1000 }' "$workdir/times.csv"; }
cpu_ms() { awk -F, -v row="$1" 'NR == row { printf "%.1f", ($5 + $6) * 1000 }' "$workdir/times.csv"; }
search_median=$(column_ms 2)
add_median=$(column_ms 3)
inflected_median=$(column_ms 4)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { if awk "BEGIN { exit !($1) }"; then echo "met"; else echo "MISSED"; fi; }
line() {
  printf "%-26s median %6.1f ms   ratio %s   processor %5.1f ms   ratio %s\n" "$1" "$(column_ms "$2")" \
    "$(ratio "$(column_ms "$2")" "$search_median")" "$(cpu_ms "$2")" "$(ratio "$(cpu_ms "$2")" "$(cpu_ms 2)")"
}

echo
echo "Runs per command: $runs; cards in the list before each add: $sqlite_rows"
line "dexaru2 search neko" 2
line "dexaru2 study add neko" 3
line "dexaru2 study add tabeta" 4
echo "Target study add <= 1.3 x search (medians): $(verdict "$(ratio "$add_median" "$search_median") <= 1.3 && $(ratio "$inflected_median" "$search_median") <= 1.3")"
