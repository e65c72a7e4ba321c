#!/usr/bin/env python3
"""How often a search of what a learner types lists the word meant first.

Runs dexaru2 with the options of the desktop program's first start (fuzzy
search, the relevance order, kana folded) on every line of a word list
(text typed, TAB, the words meant separated by "|"; "#" comments) and
reports the share of lines whose first result, or one of the first three,
is a word meant (its headword or its reading). Lines missed are listed
with --misses.

    python3 bench/typing_quality.py [--program build/bin/dexaru2] [--misses]
                                    [--meanings] bench/english-words.tsv
    python3 bench/typing_quality.py bench/long-vowel-romaji.tsv

--meanings ticks "Search in meanings" too, as an English list needs;
--option=--no-convert-to-kana (any dexaru2 option) adds an option.
"""
import argparse
import concurrent.futures
import os
import re
import subprocess

ENTRY = re.compile(r"<entry>(.*?)</entry>", re.S)
WORD = re.compile(r"<word>(.*?)</word>")
KANA = re.compile(r"<kana[^>]*>(.*?)</kana>")
HERE = os.path.dirname(os.path.abspath(__file__))


def read_list(path):
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                typed, meant = line.split("\t")
                yield typed, meant.split("|")


def first_rows(program, options, typed):
    run = subprocess.run([program] + options + ["-o", "xml", "search", typed],
                         capture_output=True, check=False)
    output = run.stdout.decode("utf-8", errors="replace")
    rows = []
    for entry in ENTRY.findall(output):
        rows.append((WORD.search(entry).group(1), KANA.search(entry).group(1)))
    return rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("words")
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "bin", "dexaru2"))
    parser.add_argument("--meanings", action="store_true")
    parser.add_argument("--misses", action="store_true")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--option", action="append", default=[],
                        help="one more dexaru2 option, such as --option=--no-convert-to-kana")
    arguments = parser.parse_args()
    options = ["--order", "relevance", "--search-defaults", "--search-fuzzy", "--search-ignore-case"]
    if arguments.meanings:
        options.append("--search-meaning")
    options += arguments.option
    cases = list(read_list(arguments.words))
    program = os.path.abspath(arguments.program)
    with concurrent.futures.ThreadPoolExecutor(arguments.jobs) as pool:
        results = list(pool.map(lambda case: first_rows(program, options, case[0]), cases))
    first = top3 = 0
    for (typed, meant), rows in zip(cases, results):
        places = [i for i, (word, kana) in enumerate(rows) if word in meant or kana in meant]
        place = places[0] if places else None
        first += place == 0
        top3 += place is not None and place < 3
        if arguments.misses and (place is None or place >= 3):
            shown = ", ".join(word for word, _ in rows[:3])
            print(f"  {typed}: {'/'.join(meant)} at {place + 1 if place is not None else '-'}; first: {shown}")
    count = len(cases)
    print(f"{os.path.basename(arguments.words)}: {count} words, first {first} ({100 * first / count:.0f}%), "
          f"first three {top3} ({100 * top3 / count:.0f}%)")


if __name__ == "__main__":
    main()
