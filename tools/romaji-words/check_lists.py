#!/usr/bin/env python3
"""Checks the shipped romaji lists (data/romaji/*.txt), or the files named.

  python3 tools/romaji-words/check_lists.py [FILE...]

Each entry line is 表記<TAB>よみ, or a reading alone; # starts a comment. A reading may use
only kana, ー, 、。「」・！？〜 and full-width digits and letters, at most 64 characters; no
表記 is empty or listed twice; and the kana and marks written in a 表記 come back, in order, in
its reading (a kanji run reads as one or more kana), which catches a dropped particle or a
typo in either column. Needs nothing but Python; exits 1 on the first file with a fault.
"""
import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
KANA = "ぁ-ゖァ-ヺー"
MARKS = "、。「」・！？〜"
WIDE = "０-９Ａ-Ｚａ-ｚ"
READING = re.compile("^[%s%s%s]+$" % (KANA, MARKS, WIDE))
KANJI = re.compile(r"[一-鿿々〆ヶ]+")
MAX_KANA = 64


def hira(c):
    return chr(ord(c) - 0x60) if "ァ" <= c <= "ヶ" else c


def pattern(word):
    """A regex the reading must match: kanji runs become 'some kana', the rest is literal
    (katakana in the 表記 may be read in hiragana or katakana)."""
    out = []
    for part in re.split("(" + KANJI.pattern + ")", word):
        if not part:
            continue
        if KANJI.fullmatch(part):
            out.append("[%s]+" % KANA)
            continue
        for c in part:
            h = hira(c)
            out.append("[%s%s]" % (re.escape(c), re.escape(h)) if h != c else re.escape(c))
    return re.compile("^" + "".join(out) + "$")


def check(path):
    faults = []
    seen = {}
    with open(path, encoding="utf-8") as f:
        text = f.read()
    for n, line in enumerate(text.split("\n"), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) == 1:
            fields = [fields[0], fields[0]]
        where = "%s:%d: " % (os.path.relpath(path, ROOT), n)
        if len(fields) != 2:
            faults.append(where + "expected 表記<TAB>よみ")
            continue
        word, yomi = fields
        if not word.strip() or word != word.strip() or yomi != yomi.strip():
            faults.append(where + "empty 表記 or spaces at an end")
            continue
        if not READING.match(yomi):
            bad = "".join(sorted({c for c in yomi if not READING.match(c)}))
            faults.append(where + "reading %s has characters no key types: %s" % (yomi, bad))
        elif len(yomi) > MAX_KANA:
            faults.append(where + "reading longer than %d kana" % MAX_KANA)
        elif not pattern(word).match(yomi):
            faults.append(where + "reading %s does not fit 表記 %s" % (yomi, word))
        if word in seen:
            faults.append(where + "%s listed twice (first on line %d)" % (word, seen[word]))
        seen.setdefault(word, n)
    if not seen:
        faults.append("%s: no entries" % path)
    return faults, len(seen)


def main():
    paths = sys.argv[1:] or sorted(glob.glob(os.path.join(ROOT, "data", "romaji", "*.txt")))
    failed = 0
    for path in paths:
        faults, count = check(path)
        for fault in faults:
            print(fault)
        print("%s: %d entries, %d faults" % (os.path.relpath(path, ROOT), count, len(faults)))
        failed += bool(faults)
    sys.exit(1 if failed or not paths else 0)


if __name__ == "__main__":
    main()
