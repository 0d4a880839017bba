#!/usr/bin/env python3
"""Scores espeak-ng on the homograph data as lexipulse-heteronym-eval scores the program.

Usage: tools/espeak_heteronyms.py DIR   (DIR holds wordids.tsv and train/*.tsv)

For every sentence of a word whose readings differ in stress, espeak-ng reads the sentence up
to the end of the word (so the word is the last one it speaks) and the stressed syllable of
that last word is compared with the labelled reading's. The parts are split as the C++ tool
splits them: one sentence in five, by an FNV-1a hash of its text, is the held-out part.
"""
import collections
import csv
import glob
import subprocess
import sys

IPA_VOWELS = set("aeiou\u00e6\u0251\u0254\u0259\u025a\u025b\u026a\u028a\u028c\u025c\u025d\u0250\u0252\u1d7b\u0275\u0258")
PRIMARY = "'\u02c8"
TRANSPARENT = "\u02d0\u02cc0123456789"


def stressed_syllable(ipa):
    """Vowel sounds before the primary stress mark; 0 when there is none."""
    count, in_vowel = 0, False
    for ch in ipa:
        if ch in PRIMARY:
            return count
        if ch in IPA_VOWELS:
            count += 0 if in_vowel else 1
            in_vowel = True
        elif ch not in TRANSPARENT:
            in_vowel = False
    return 0


def held(sentence):
    h = 14695981039346656037
    for c in sentence.encode():
        h = ((h ^ c) * 1099511628211) % (1 << 64)
    return h % 5 == 0


def main(folder):
    gold, stresses = {}, collections.defaultdict(set)
    for row in csv.DictReader(open(f"{folder}/wordids.tsv", encoding="utf-8"), delimiter="\t"):
        gold[row["wordid"]] = stressed_syllable(row["pronunciation"])
        stresses[row["homograph"]].add(gold[row["wordid"]])
    right, total = collections.Counter(), collections.Counter()
    for name in sorted(glob.glob(f"{folder}/train/*.tsv")):
        for row in csv.DictReader(open(name, encoding="utf-8"), delimiter="\t"):
            if len(stresses[row["homograph"]]) < 2:
                continue
            text = row["sentence"].encode()[: int(row["end"])].decode(errors="ignore")
            spoken = subprocess.run(["espeak-ng", "-q", "--ipa", "-v", "en-us"], input=text,
                                    capture_output=True, text=True).stdout.split()
            if not spoken:
                continue
            part = "held-out" if held(row["sentence"]) else "tuning"
            total[part] += 1
            right[part] += stressed_syllable(spoken[-1]) == gold[row["wordid"]]
    for part in sorted(total):
        print(f"espeak-ng, {part}: {right[part]}/{total[part]} = "
              f"{100 * right[part] / total[part]:.1f}%")


if __name__ == "__main__":
    main(sys.argv[1])
