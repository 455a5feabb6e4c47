#!/usr/bin/python3
"""Builds data/romaji/kotoba.txt, the everyday words of the romaji ことば drill.

  /usr/bin/python3 tools/romaji-words/build_kotoba.py [--out FILE] [--why]

Words and their readings come from JUMAN's basic vocabulary (Debian package juman-dic,
ContentW.dic); they are ranked by libkkc-data's unigram model (a marisa trie, read through
python3-marisa). Run it by hand after `apt-get install juman-dic libkkc-data python3-marisa`;
the game and its tests only read the committed output.

The same packages give the same file: every choice below is a fixed rule or one of the
hand-kept lists beside this script (exclude.txt, block.txt, include.txt).
--why prints each chosen word with its part of speech, cost and tags, for review.
"""
import argparse
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
JUMAN = "/usr/share/juman/dic/ContentW.dic"
KKC = "/usr/lib/x86_64-linux-gnu/libkkc/models/sorted3"

# How many words of each kind the list takes, best ranked first; the include list comes on top.
# Nouns of everyday domains and categories come apart from the rest (関係, 計画, ...), which
# the model, counted over encyclopedic text, would otherwise put first.
QUOTA = {"noun": 1019, "noun-other": 196, "verb": 334, "adj": 199, "adverb": 100}

# Domains and categories of things a learner meets every day: their words rank higher.
EVERYDAY_DOMAINS = {"家庭・暮らし", "料理・食事", "交通", "教育・学習", "レクリエーション", "スポーツ"}
EVERYDAY_CATEGORIES = {
    "人工物-食べ物", "人工物-衣類", "人工物-乗り物", "人工物-その他", "動物", "植物", "色",
    "時間", "自然物", "場所-施設", "場所-自然", "場所-施設部位", "動物-部位", "形・模様",
    "人工物-金銭", "人",
}
# Whole domains left out: politics, and medicine (disease); include.txt brings back the
# few everyday words of the latter (病院, 薬, ...).
BANNED_DOMAINS = {"政治", "健康・医学"}
BONUS = 5000  # cost units taken off an everyday word (costs run from about 17,000 to 48,000)
KANJI1 = re.compile(r"^[一-鿿]$")

HIRAGANA = re.compile(r"^[ぁ-ゖー]+$")
KATAKANA = re.compile(r"^[ァ-ヺー]+$")
SURFACE = re.compile(r"^[ぁ-ゖァ-ヺー々〆ヶ一-鿿]+$")


def kata(s):
    return "".join(chr(ord(c) + 0x60) if "ぁ" <= c <= "ゖ" else c for c in s)


def read_list(name):
    """A hand-kept list: one item a line (fields split on a tab), # comments, blanks skipped."""
    items = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            items.append(tuple(line.split("\t")))
    return items


class Unigrams:
    """libkkc's unigram model: keys `reading/surface` in a marisa trie, a 6-byte record per
    key id whose first little-endian uint16 is the cost (lower is more frequent)."""

    def __init__(self, folder):
        import marisa

        self.trie = marisa.Trie()
        self.trie.load(os.path.join(folder, "data.1gram.index"))
        with open(os.path.join(folder, "data.1gram"), "rb") as f:
            self.records = f.read()
        self.marisa = marisa

    def cost(self, reading, surface):
        agent = self.marisa.Agent()
        agent.set_query(reading + "/" + surface)
        if not self.trie.lookup(agent):
            return None
        return struct.unpack_from("<H", self.records, agent.key_id() * 6)[0]


def headwords(line):
    """The 見出し語 of an entry with JUMAN's weight (1 when none; above 1 is a rarer form)."""
    m = re.search(r"\(見出し語 ((?:[^()]|\([^()]*\))*)\)", line)
    if not m:
        return []
    heads = []
    for weighted, plain in re.findall(r"\(([^()]*)\)|(\S+)", m.group(1)):
        if weighted:
            word, _, weight = weighted.partition(" ")
            heads.append((word, float(weight or 1)))
        else:
            heads.append((plain, 1.0))
    return heads


def entries(path):
    """(kind, reading, [surfaces], conjugation, info) for each usable line of ContentW.dic."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            if not line.startswith("("):
                continue
            pos = line[1:].split(" ", 1)[0]
            sub = ""
            if pos == "名詞":
                sub = line.split(" ", 2)[1].lstrip("(")
            m = re.search(r"\(読み (\S+?)\)", line)
            info = re.search(r'\(意味情報 "([^"]*)"\)', line)
            conj = re.search(r"\(活用型 ([^)]+)\)", line)
            if not m:
                continue
            yield pos, sub, m.group(1), headwords(line), conj.group(1) if conj else "", (
                info.group(1) if info else "")


def tags(info, key):
    m = re.search(key + r":(\S+)", info)
    return set(m.group(1).split(";")) if m else set()


# How a word of each conjugation is looked up in the model (it keeps stems of inflected words)
# and how its dictionary form is written: (characters cut for the stem, characters cut from
# JUMAN's form for the list).
def stem_rule(pos, conj):
    if pos == "動詞":
        if conj == "母音動詞":
            return 1, 0
        if conj.startswith("サ変") or conj.startswith("ザ変"):
            return None  # 愛する, 論ずる: the stem is a noun, so its cost says nothing
        if conj.startswith("子音動詞"):
            return 1, 0
        return None
    if pos == "形容詞":
        if conj.startswith("イ形容詞"):
            return 1, 0
        if conj in ("ナ形容詞", "ナノ形容詞"):
            return 1, 1  # 静かだ is listed as 静か
        return None
    return 0, 0


def candidates(model, dic):
    """The best surface of every entry that passes the fixed rules, with its cost and kind."""
    block = [b[0] for b in read_list("block.txt")]
    for pos, sub, reading, heads, conj, info in entries(dic):
        if pos == "名詞" and sub in ("普通名詞", "サ変名詞", "時相名詞"):
            kind = "noun"
        elif pos == "動詞":
            kind = "verb"
        elif pos == "形容詞":
            kind = "adj"
        elif pos == "副詞":
            kind = "adverb"
        else:
            continue
        if "可能動詞" in info:
            continue  # 読める: the list keeps the dictionary form 読む
        rule = stem_rule(pos, conj)
        if rule is None or not HIRAGANA.match(reading):
            continue
        domains = tags(info, "ドメイン")
        categories = tags(info, "カテゴリ")
        banned = bool(domains & BANNED_DOMAINS)
        cut, drop = rule
        best = None
        has_kanji = any(not HIRAGANA.match(h) and not KATAKANA.match(h) for h, _ in heads)
        for order, (surface, weight) in enumerate(heads):
            if not SURFACE.match(surface) or len(surface) <= cut:
                continue
            if surface == reading and (has_kanji and kind != "adverb" or len(reading) - cut < 2):
                continue  # kana alone (か for 書く, かね for 金) is counted with the particles
            if cut:
                c = model.cost(reading[:-cut], surface[:-cut])
            else:
                c = model.cost(reading, surface)
            if c is None:
                continue
            if cut and surface == reading:
                c += 3000  # kana stems still meet other words: count them as rarer
            if weight > 1:
                c += 1500  # JUMAN marks the form as a rarer way of writing the word
            if best is None or (c, order) < best[:2]:
                best = (c, order, surface)
        if best is None:
            continue
        cost, _, surface = best
        word = surface[:-drop] if drop else surface
        yomi = reading[:-drop] if drop else reading
        if KATAKANA.match(word):
            yomi = kata(yomi)
        banned = banned or any(b in word for b in block)
        everyday = bool(domains & EVERYDAY_DOMAINS or categories & EVERYDAY_CATEGORIES)
        if kind == "noun" and not everyday:
            # 性, 局, 系: mostly met as the tail of longer words
            banned = banned or bool(KANJI1.match(word))
            kind = "noun-other"
        score = cost - (BONUS if everyday else 0)
        yield {"word": word, "yomi": yomi, "kind": kind, "cost": cost, "score": score,
               "tags": " ".join(sorted(domains | categories)), "conj": conj, "banned": banned,
               # 魚 is さかな on its own, ぎょ only inside words: a lone kanji takes its 訓
               "on": bool(KANJI1.match(word)) and "漢字読み:訓" not in info,
               "heads": [(h[:-drop] if drop else h, w) for h, w in heads if SURFACE.match(h)],
               "reading": reading[:-drop] if drop else reading}


def build(model, dic):
    exclude = {e[0] for e in read_list("exclude.txt")}
    every = {}  # 表記 -> best entry of JUMAN, whatever the rules say of it
    readings = {}  # any 見出し語 -> (JUMAN's weight of it, score, reading) of its best entry
    for c in sorted(candidates(model, dic), key=lambda c: (c["on"], c["score"], c["yomi"])):
        every.setdefault(c["word"], c)
        for h, weight in c["heads"]:
            yomi = kata(c["reading"]) if KATAKANA.match(h) else c["reading"]
            readings[h] = min(readings.get(h, (99, 0, "")), (weight + c["on"], c["score"], yomi))
    chosen = {}
    for kind, quota in QUOTA.items():
        pool = sorted((c for c in every.values() if c["kind"] == kind and not c["banned"]
                       and c["word"] not in exclude and len(c["yomi"]) >= 2),
                      key=lambda c: (c["score"], c["yomi"], c["word"]))
        for c in pool[:quota]:
            chosen[c["word"]] = c
    # include.txt: 表記 alone takes JUMAN's reading; 表記<TAB>よみ gives it (a word JUMAN
    # lacks, or a reading of the two JUMAN has).
    for item in read_list("include.txt"):
        word = item[0]
        if len(item) > 1:
            yomi = item[1]
        elif word in readings:
            yomi = readings[word][2]
        elif HIRAGANA.match(word) or KATAKANA.match(word):
            yomi = word
        else:
            sys.exit("build_kotoba: include.txt: %s is not in JUMAN; give its reading" % word)
        chosen[word] = {"word": word, "yomi": yomi, "kind": "include", "cost": 0, "score": 0,
                        "tags": "", "conj": ""}
    return sorted(chosen.values(), key=lambda c: (c["yomi"], c["word"]))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(ROOT, "data", "romaji", "kotoba.txt"))
    ap.add_argument("--juman", default=JUMAN)
    ap.add_argument("--kkc", default=KKC)
    ap.add_argument("--why", action="store_true", help="print each word with its rank data")
    args = ap.parse_args()
    try:
        model = Unigrams(args.kkc)
    except (ImportError, OSError) as e:
        sys.exit("build_kotoba: needs libkkc-data and python3-marisa (%s)" % e)
    if not os.path.exists(args.juman):
        sys.exit("build_kotoba: needs juman-dic (%s is missing)" % args.juman)
    words = build(model, args.juman)
    if args.why:
        for c in words:
            print("%s\t%s\t%s\t%d\t%d\t%s %s" % (c["word"], c["yomi"], c["kind"], c["cost"],
                                                  c["score"], c["conj"], c["tags"]))
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write("# ことば: everyday Japanese words for the romaji drill (表記<TAB>よみ).\n")
        f.write("# Built by tools/romaji-words/build_kotoba.py from JUMAN's ContentW.dic (juman-dic,\n")
        f.write("# BSD-3-Clause), ranked by libkkc-data's unigram model, reviewed by hand.\n")
        f.write("# See data/romaji/README.md. Do not edit: change the lists in tools/romaji-words/.\n")
        for c in words:
            f.write("%s\t%s\n" % (c["word"], c["yomi"]))
    print("build_kotoba: %d words -> %s" % (len(words), args.out), file=sys.stderr)


if __name__ == "__main__":
    main()
