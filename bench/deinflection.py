#!/usr/bin/env python3
"""How well fuzzy searches take inflected words back to their dictionary word.

Runs `dexaru2 --search-defaults --search-fuzzy -o xml search WORD` for every
line of a word list (group, class, inflected form, dictionary word; tab
separated, "#" comments) and reports, per form group and per word class:
  found  - share of words whose results hold the dictionary word (its
           headword, or its reading when the dictionary word is written in kana),
  first  - share of all words that have it as the first result,
  top3   - share of all words that have it among the first three results,
  rows   - word results listed per word, on average,
  repeat - result entries that are the same entry of the same dictionary listed
           again (a form reached on more than one rule path),
  vars   - the most fuzzy variants (or engine candidates) for one word.
With --order relevance the runs use `--order relevance` (the deinflection
engine and the relevance order). With --readings FILE it also searches each
everyday reading of FILE (one a line) the same way and reports the share
whose first result is a common word.

    python3 bench/deinflection.py [--build build] [--jobs 2] [--misses]
                                  [--order reading|relevance] [--readings FILE]
                                  [--words bench/deinflection-words.tsv]
"""
import argparse
import collections
import concurrent.futures
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ENTRY = re.compile(r"<entry>(.*?)</entry>", re.S)
WORD = re.compile(r"<word>(.*?)</word>")
KANA = re.compile(r"<kana[^>]*>(.*?)</kana>")
DICTIONARY = re.compile(r'<dictionary index="(\d+)"')
MEANING = re.compile(r"<meaning>(.*?)</meaning>")
VARIANTS = re.compile(r"Got (\d+) fuzzy strings back|gave (\d+) candidates")
COMMON = "<common />"


def is_kana(text):
    return all(0x3040 <= ord(c) <= 0x30FF for c in text)


def read_words(path):
    words = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                group, cls, inflected, expected = line.split("\t")
                words.append((group, cls, inflected, expected))
    return words


ORDER = []


def search(program, word):
    run = subprocess.run([program] + ORDER + ["--search-defaults", "--search-fuzzy", "-o", "xml",
                          "search", word], cwd=os.path.dirname(program),
                         capture_output=True)
    out = run.stdout.decode("utf-8", "replace")
    err = run.stderr.decode("utf-8", "replace")
    results = out.split("<results>", 1)[-1]
    entries = []
    for body in ENTRY.findall(results):
        word_match = WORD.search(body)
        kana_match = KANA.search(body)
        dictionary = DICTIONARY.search(body)
        entries.append((dictionary.group(1) if dictionary else "",
                        word_match.group(1) if word_match else "",
                        kana_match.group(1) if kana_match else "",
                        tuple(MEANING.findall(body)), COMMON in body))
    variants = VARIANTS.search(err)
    count = int(variants.group(1) or variants.group(2)) if variants else 0
    return entries, count, "Stopped at" in err


def judge(item, program):
    group, cls, inflected, expected = item
    entries, variants, capped = search(program, inflected)
    rank = None
    for position, (_, word, kana, _, _) in enumerate(entries):
        if word == expected or (is_kana(expected) and kana == expected):
            rank = position
            break
    repeats = len(entries) - len(set(entries))
    return dict(group=group, cls=cls, word=inflected, expected=expected, rank=rank,
                repeats=repeats, variants=variants, capped=capped, count=len(entries),
                first=[e[1] or e[2] for e in entries[:3]])


def summarise(name, rows):
    found = [r for r in rows if r["rank"] is not None]
    first = [r for r in found if r["rank"] == 0]
    top3 = [r for r in found if r["rank"] < 3]
    share = lambda part, whole: 100.0 * len(part) / len(whole) if whole else 0.0
    return "%-20s %4d  found %5.1f%%  first %5.1f%%  top3 %5.1f%%  rows %4.1f  repeat %4d  vars %3d%s" % (
        name, len(rows), share(found, rows), share(first, rows), share(top3, rows),
        sum(r["count"] for r in rows) / len(rows),
        sum(r["repeats"] for r in rows), max(r["variants"] for r in rows),
        "  CAP" if any(r["capped"] for r in rows) else "")


def report_readings(program, options):
    with open(options.readings, encoding="utf-8") as lines:
        readings = [l.strip() for l in lines if l.strip() and not l.startswith("#")]
    with concurrent.futures.ThreadPoolExecutor(options.jobs) as pool:
        answers = list(pool.map(lambda reading: search(program, reading)[0], readings))
    common = [r for r, entries in zip(readings, answers) if entries and entries[0][4]]
    print("Everyday readings: %d, first result common %5.1f%%, rows %4.1f" % (
        len(readings), 100.0 * len(common) / len(readings),
        sum(len(a) for a in answers) / len(readings)))
    if options.misses:
        for reading, entries in zip(readings, answers):
            if not entries or not entries[0][4]:
                print("reading %s: %s" % (reading, " ".join(e[1] for e in entries[:3])))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.environ.get("DEXARU_BUILD_DIR",
                                                          os.path.join(HERE, "..", "build")))
    parser.add_argument("--words", default=os.path.join(HERE, "deinflection-words.tsv"))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--order", choices=["reading", "relevance"], default="reading")
    parser.add_argument("--readings", help="a list of everyday readings in kana")
    parser.add_argument("--misses", action="store_true",
                        help="list the words whose dictionary word is not the first result")
    options = parser.parse_args()
    program = os.path.abspath(os.path.join(options.build, "bin", "dexaru2"))
    if not os.access(program, os.X_OK):
        sys.exit("no dexaru2 at " + program)

    if options.order == "relevance":
        ORDER.extend(["--order", "relevance"])
    words = read_words(options.words)
    with concurrent.futures.ThreadPoolExecutor(options.jobs) as pool:
        rows = list(pool.map(lambda item: judge(item, program), words))

    by_group = collections.OrderedDict()
    by_class = collections.OrderedDict()
    for r in rows:
        by_group.setdefault(r["group"], []).append(r)
        by_class.setdefault(r["cls"], []).append(r)
    print("By form group:")
    for name, group in by_group.items():
        print("  " + summarise(name, group))
    print("By word class:")
    for name, group in by_class.items():
        print("  " + summarise(name, group))
    print("  " + summarise("ALL", rows))
    if options.readings:
        report_readings(program, options)
    if options.misses:
        for r in rows:
            if r["rank"] != 0:
                print("%s\t%s\t%s -> %s\trank %s of %d: %s" % (
                    r["group"], r["cls"], r["word"], r["expected"], r["rank"], r["count"],
                    " ".join(r["first"])))


if __name__ == "__main__":
    main()
