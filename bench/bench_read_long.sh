#!/bin/bash
# Time and peak memory of `dexaru2 read -` over a megabyte of ordinary text
# (the prose of bench/reader-prose.tsv over and over, one sentence a line),
# a megabyte of it in one line, and a megabyte of hostile kana in one line
# (hiragana that looks like endless inflections: no space, no punctuation),
# and a megabyte of random hiragana in one line.
# With --alone the reader reads without MeCab.
#
#     bench/bench_read_long.sh [build] [--alone]
set -euo pipefail
build="${1:-build}"
program="$(cd "$build/bin" && pwd)/dexaru2"
[[ "${2:-}" == --alone ]] && export DEXARU_MECAB_DICTIONARY=
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
here="$(cd "$(dirname "$0")" && pwd)"

python3 - "$here/reader-prose.tsv" "$scratch" <<'PYTHON'
import sys
prose = [line.split("\t")[0] for line in open(sys.argv[1], encoding="utf-8")
         if line.strip() and not line.startswith("#")]
size = 1 << 20
def fill(piece, separator):
    out, length = [], 0
    while length < size:
        for sentence in piece:
            out.append(sentence)
            length += len((sentence + separator).encode("utf-8"))
    return separator.join(out)
open(sys.argv[2] + "/lines.txt", "w", encoding="utf-8").write(fill(prose, "\n") + "\n")
open(sys.argv[2] + "/one-line.txt", "w", encoding="utf-8").write(fill(prose, "") + "\n")
hostile = "たべさせられなかったらしくなかったでしょうかしらん"
open(sys.argv[2] + "/hostile.txt", "w", encoding="utf-8").write(fill([hostile], "") + "\n")
import random
random.seed(1)
kana = [chr(c) for c in range(0x3041, 0x3094)]
open(sys.argv[2] + "/random-kana.txt", "w", encoding="utf-8").write(
    "".join(random.choice(kana) for _ in range(size // 3)) + "\n")
PYTHON

cd "$(dirname "$program")"
for input in lines one-line hostile random-kana; do
  /usr/bin/time -f "$input: %e s, peak %M KB" "$program" read - < "$scratch/$input.txt" > "$scratch/out" 2>"$scratch/err" \
    || true
  tail -1 "$scratch/err"
  echo "    $(wc -c < "$scratch/$input.txt") bytes in, $(grep -c . "$scratch/out") tokens out"
done
