#!/usr/bin/env python3
"""Measures dexaru2 handwriting on the drawings of this folder.

For each set (mouse-like drawings, two strokes joined, two strokes swapped,
the drawings as drawn by hand) it counts how often the drawn character comes
first, among the first 5 and among the first 10, for Zinnia alone and for
the recognizer, and times each run (one process, model loading included).

  bench/handwriting/measure.py [path/to/dexaru2 [seed]]

The seed (28 by default) picks other distortions of the same drawings.
"""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAM = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "build", "bin", "dexaru2")
SEED = sys.argv[2] if len(sys.argv) > 2 else "28"


def made(which, count):
    with open(os.path.join(HERE, "drawings.txt")) as drawings:
        return subprocess.run([sys.executable, os.path.join(HERE, "mouse.py"), which, str(count), SEED],
                              stdin=drawings, capture_output=True, text=True, check=True).stdout


def by_hand():
    with open(os.path.join(HERE, "hand.txt")) as lines:
        return "".join(line for line in lines if line.strip() and not line.startswith("#"))


def run(text, extra):
    start = time.monotonic()
    out = subprocess.run([PROGRAM, "handwriting"] + extra + ["-"], input=text, capture_output=True,
                         text=True).stdout
    return out.split("\n")[:-1], time.monotonic() - start


def score(text, answers):
    expected = [line.split("\t")[0].split("#")[0] for line in text.split("\n") if line]
    assert len(expected) == len(answers), (len(expected), len(answers))
    counts = [0, 0, 0]
    for want, line in zip(expected, answers):
        got = line.split(" ")
        for i, n in enumerate((1, 5, 10)):
            counts[i] += want in got[:n]
    return len(expected), counts


def main():
    sets = [("mouse", made("mouse", 600)), ("joined", made("joined", 100)),
            ("swapped", made("swapped", 100)), ("by hand", by_hand())]
    print("%-8s %-12s %6s %6s %6s %6s %7s" % ("set", "recognizer", "count", "first", "top5", "top10", "seconds"))
    for name, text in sets:
        for label, extra in (("zinnia", ["--zinnia-only"]), ("dexaru", [])):
            answers, seconds = run(text, extra)
            total, (first, top5, top10) = score(text, answers)
            print("%-8s %-12s %6d %6d %6d %6d %7.2f" % (name, label, total, first, top5, top10, seconds))


main()
