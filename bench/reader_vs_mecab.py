#!/usr/bin/env python3
"""How the text reader of `dexaru2 read` compares with the MeCab segmenter.

Renders Japanese manual pages (Debian's manpages-ja, text nobody on the
project wrote) to plain text, splits them into sentences and reads each
sentence with both `dexaru2 read -` (one process for all) and `mecab`.
Reports:
  content words - share of MeCab's content words (nouns other than numbers,
                  suffixes and dependent nouns; independent verbs and
                  adjectives; adverbs) that the reader finds: a reader word
                  covering the MeCab word whose dictionary form or reading
                  is MeCab's base form (kana compared as hiragana), or a
                  longer reader word that covers it whole,
  whole         - sentences whose tokens give back the sentence exactly,
  speed         - wall time of one dexaru2 process and of one mecab process
                  over the same sentences, start-up included.
MeCab and the manual pages are needed only here; install them with
`scripts/install-deps.sh --reference`.

    python3 bench/reader_vs_mecab.py [--build build] [--sections 1]
        [--sentences 300] [--skip 0] [--misses 30] [--save sentences.txt]
        [--file bench/reader-everyday.txt]
"""
import argparse
import glob
import gzip
import os
import re
import resource
import shutil
import subprocess
import sys
import time

JAPANESE = re.compile(r"[\u3041-\u30ff\u4e00-\u9fff]")
CONTENT = {"名詞", "動詞", "形容詞", "副詞"}
NOT_CONTENT = {"数", "接尾", "非自立", "代名詞"}


def hiragana(text):
    return "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c for c in text)


def render(path):
    """The plain text of one manual page, one paragraph a line."""
    with gzip.open(path, "rb") as source:
        page = source.read()
    text = subprocess.run(
        ["sh", "-c", "preconv -e utf-8 | groff -Tutf8 -man -rLL=5000n -P-c -P-b -P-u"],
        input=page, capture_output=True).stdout.decode("utf-8", "replace")
    return text


def sentences_of(text):
    found = []
    for line in text.splitlines():
        line = " ".join(line.split())
        # A line break of the page source inside Japanese text is no space.
        line = re.sub(r"(?<=[\u3001-\u30ff\u4e00-\u9fff]) (?=[\u3001-\u30ff\u4e00-\u9fff])", "", line)
        if not JAPANESE.search(line):
            continue
        for piece in re.split(r"(?<=[。！？])", line):
            piece = piece.strip()
            japanese = len(JAPANESE.findall(piece))
            if japanese >= 8 and japanese >= 0.5 * len(piece):
                found.append(piece)
    return found


def corpus(sections, count, skip):
    seen = set()
    result = []
    for section in sections:
        for path in sorted(glob.glob(f"/usr/share/man/ja/man{section}/*.gz")):
            for sentence in sentences_of(render(path)):
                if sentence not in seen:
                    seen.add(sentence)
                    result.append(sentence)
            if len(result) >= skip + count:
                return result[skip:skip + count]
    return result[skip:skip + count]


def unescape(field):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "r": "\r", "n": "\n"}.get(m.group(1), m.group(1)), field)


def timed(command, text):
    """The output of the command and its best wall and processor times
    (user and system) of three runs; the processor time tells more on a
    busy machine."""
    best = None
    for _ in range(3):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        out = subprocess.run(command, input=text, capture_output=True).stdout
        seconds = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        best = (seconds, cpu) if best is None else (min(best[0], seconds), min(best[1], cpu))
    return out, best


def run_reader(program, sentences):
    text = "".join(s + "\n" for s in sentences).encode("utf-8")
    out, seconds = timed([program, "read", "-"], text)
    lines = []
    current = []
    for row in out.decode("utf-8").split("\n"):
        if row == "":
            lines.append(current)
            current = []
            continue
        fields = [unescape(f) for f in row.split("\t")]
        current.append(fields)
    return lines[:len(sentences)], seconds


def run_mecab(sentences):
    text = "".join(s + "\n" for s in sentences).encode("utf-8")
    # Its features are read in the IPADIC layout, whatever dictionary the
    # system's mecab uses by default (Debian's alternative may name UniDic).
    ipadic = "/var/lib/mecab/dic/ipadic-utf8"
    out, seconds = timed(["mecab"] + (["-d", ipadic] if os.path.isdir(ipadic) else []), text)
    lines, current = [], []
    for row in out.decode("utf-8").split("\n"):
        if row == "EOS":
            lines.append(current)
            current = []
        elif row:
            surface, _, features = row.partition("\t")
            current.append((surface, features.split(",")))
    return lines, seconds


def is_content(features):
    if features[0] not in CONTENT or features[1] in NOT_CONTENT:
        return False
    if features[0] in ("動詞", "形容詞") and features[1] != "自立":
        return False
    return True


def spans(sentence, surfaces):
    """The start and end of each surface in the sentence, skipping spaces MeCab drops."""
    result, position = [], 0
    for surface in surfaces:
        found = sentence.find(surface, position)
        if found < 0:
            found = position
        result.append((found, found + len(surface)))
        position = found + len(surface)
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--sections", default="1")
    parser.add_argument("--sentences", type=int, default=300)
    parser.add_argument("--skip", type=int, default=0)
    parser.add_argument("--misses", type=int, default=0)
    parser.add_argument("--save")
    parser.add_argument("--file", help="read these sentences (one a line) instead of the manual pages")
    args = parser.parse_args()
    if shutil.which("mecab") is None or not glob.glob("/usr/share/man/ja/man1/*.gz"):
        print("MeCab or the Japanese manual pages are missing: scripts/install-deps.sh --reference")
        return 77
    program = os.path.abspath(os.path.join(args.build, "bin", "dexaru2"))
    if args.file:
        with open(args.file) as given:
            sentences = [line.strip() for line in given if line.strip()]
    else:
        sentences = corpus(args.sections, args.sentences, args.skip)
    if args.save:
        with open(args.save, "w") as saved:
            saved.writelines(s + "\n" for s in sentences)

    reader_lines, reader_seconds = run_reader(program, sentences)
    mecab_lines, mecab_seconds = run_mecab(sentences)

    whole = content = found = exact = 0
    misses = []
    for sentence, tokens, morphemes in zip(sentences, reader_lines, mecab_lines):
        if "".join(t[0] for t in tokens) == sentence:
            whole += 1
        token_spans = spans(sentence, [t[0] for t in tokens])
        for (surface, features), (start, end) in zip(morphemes, spans(sentence, [m[0] for m in morphemes])):
            if not is_content(features) or not JAPANESE.search(surface):
                continue
            content += 1
            base = hiragana(features[6] if len(features) > 6 and features[6] != "*" else surface)
            hit = False
            for token, (t_start, t_end) in zip(tokens, token_spans):
                if t_start > start or t_end < end or len(token) < 3 or not token[1]:
                    continue
                forms = {hiragana(token[1]), hiragana(token[2])}
                exact += base in forms
                hit = base in forms or (t_end - t_start) > (end - start)
                break
            found += hit
            if not hit:
                cover = [t[0] for t, (a, b) in zip(tokens, token_spans) if a < end and b > start]
                misses.append(f"{surface}({base}) in {'|'.join(cover)}")

    count = len(sentences)
    print(f"sentences: {count} from {args.file or '/usr/share/man/ja/man' + args.sections}")
    print(f"content words found: {found}/{content} = {100.0 * found / max(content, 1):.1f}%")
    print(f"  of them by dictionary form: {exact}/{content} = {100.0 * exact / max(content, 1):.1f}%,"
          f" covered by a longer word: {found - exact}")
    print(f"sentences given back whole: {whole}/{count}")
    print(f"dexaru2 read -: {reader_seconds[0]:.3f} s (processor {reader_seconds[1]:.3f} s)   "
          f"mecab: {mecab_seconds[0]:.3f} s (processor {mecab_seconds[1]:.3f} s); best of 3, start-up included")
    for miss in misses[:args.misses]:
        print("  miss:", miss)
    return 0


if __name__ == "__main__":
    sys.exit(main())
