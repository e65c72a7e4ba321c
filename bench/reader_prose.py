#!/usr/bin/env python3
"""How right `dexaru2 read` reads prose: the words a learner must get right.

Reads the sentences of bench/reader-prose.tsv (technical and everyday prose
written for this benchmark, each with a hand-written key of its content
words' dictionary forms and readings) with one `dexaru2 read -` process and
reports:
  words     - key words read right: a token whose dictionary form and
              reading are the key's (kana compared as hiragana), or a
              longer word that holds both (空き容量 for 空き), in order,
  sentences - sentences with no word misread,
  speed     - wall time of the process, start-up included; with --repeat N
              the sentences are read N times over in the one process.
Give --program for another build (the one before a change) and --env
NAME=VALUE to run it so (DEXARU_MECAB_DICTIONARY= reads without MeCab).

    python3 bench/reader_prose.py [--program build/bin/dexaru2] [--misses 20]
        [--repeat 1] [--env DEXARU_MECAB_DICTIONARY=/var/lib/mecab/dic/naist-jdic]
"""
import argparse
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def hiragana(text):
    return "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c for c in text)


def load(path):
    cases = []
    with open(path, encoding="utf-8") as source:
        for line in source:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            sentence, key = line.split("\t")
            words = []
            for item in key.split():
                words.append([tuple(choice.split(":")) for choice in item.split("|")])
            cases.append((sentence, words))
    return cases


def tokens_of(output):
    """The words of each line of text: (surface, form, reading)."""
    sentences = [[]]
    for row in output.split("\n"):
        if row == "":
            sentences.append([])
            continue
        fields = row.split("\t")
        if len(fields) >= 3 and fields[1]:
            sentences[-1].append((fields[0], fields[1], hiragana(fields[2])))
        else:
            sentences[-1].append((fields[0], "", ""))
    return [s for s in sentences if s] if sentences else []


def matches(token, choices):
    _, form, reading = token
    for key_form, key_reading in choices:
        key_reading = hiragana(key_reading)
        if form == key_form and reading == key_reading:
            return True
        if len(form) > len(key_form) and key_form in form and key_reading in reading:
            return True
    return False


def score(tokens, words):
    """The key words found in order (the most that line up), and those missed."""
    # best[i][j]: key words from i on found among tokens from j on.
    n, m = len(words), len(tokens)
    best = [[0] * (m + 1) for _ in range(n + 1)]

    def found_here(i, j):
        """Key words from i on when token j is key word i: a longer word may
        hold the next key word too."""
        held = best[i + 1][j] if len(tokens[j][1]) > len(words[i][0][0]) else 0
        return 1 + max(best[i + 1][j + 1], held), held

    for i in range(n - 1, -1, -1):
        for j in range(m - 1, -1, -1):
            options = [best[i + 1][j], best[i][j + 1]]
            if matches(tokens[j], words[i]):
                options.append(found_here(i, j)[0])
            best[i][j] = max(options)
    missed = []
    i = j = 0
    while i < n:
        here = found_here(i, j) if j < m and matches(tokens[j], words[i]) else None
        if here and best[i][j] == here[0]:
            if best[i + 1][j + 1] >= here[1]:
                j += 1
            i += 1
        elif j < m and best[i][j] == best[i][j + 1]:
            j += 1
        else:
            missed.append(words[i][0])
            i += 1
    return best[0][0], missed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "bin", "dexaru2"))
    parser.add_argument("--file", default=os.path.join(HERE, "reader-prose.tsv"))
    parser.add_argument("--misses", type=int, default=20)
    parser.add_argument("--repeat", type=int, default=1)
    parser.add_argument("--env", action="append", default=[])
    options = parser.parse_args()
    cases = load(options.file)
    program = os.path.abspath(options.program)
    environment = dict(os.environ)
    for setting in options.env:
        name, _, value = setting.partition("=")
        environment[name] = value
    text = "".join(sentence + "\n" for sentence, _ in cases) * options.repeat
    began = time.monotonic()
    run = subprocess.run([program, "read", "-"], input=text.encode("utf-8"), capture_output=True,
                         cwd=os.path.dirname(program), env=environment)
    elapsed = time.monotonic() - began
    read = tokens_of(run.stdout.decode("utf-8"))[:len(cases)]
    if len(read) != len(cases):
        sys.exit("dexaru2 gave %d lines for %d sentences" % (len(read), len(cases)))
    total = found = right = 0
    misses = []
    for (sentence, words), tokens in zip(cases, read):
        got, missed = score(tokens, words)
        total += len(words)
        found += got
        right += 1 if not missed else 0
        if missed:
            misses.append((sentence, missed, tokens))
    print("words:     %d of %d read right (%.1f%%)" % (found, total, 100.0 * found / total))
    print("sentences: %d of %d with no word misread (%.1f%%)"
          % (right, len(cases), 100.0 * right / len(cases)))
    print("speed:     %d sentences in %.3f s (one process)" % (len(cases) * options.repeat, elapsed))
    for sentence, missed, tokens in misses[:options.misses]:
        print("  %s\n    missed %s\n    read %s" % (
            sentence, " ".join(":".join(m) for m in missed),
            " ".join("%s>%s[%s]" % t if t[1] else t[0] for t in tokens)))


if __name__ == "__main__":
    main()
