#!/usr/bin/env python3
"""Writes the seed files of fuzz/corpus/<target>/ (they are kept in the repository; run
this again only to change them). Usage: make-corpus.py [PATH/TO/dojokai-wordlist]
With the word-list builder given, a few seeds are real builder output; the others are laid
out here byte by byte to reach the reader's edge cases."""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- word list -------------------------------------------------------------------------

def seal(image):
    """Sets the last byte to the XOR of all others."""
    image = bytearray(image)
    x = 0
    for b in image[:-1]:
        x ^= b
    image[-1] = x
    return bytes(image)


class Image:
    def __init__(self, size):
        self.b = bytearray(size)

    def u32(self, at, v):
        self.b[at:at + 4] = struct.pack("<I", v & 0xFFFFFFFF)
        return self

    def u16(self, at, v):
        self.b[at:at + 2] = struct.pack("<H", v & 0xFFFF)
        return self

    def text(self, at, t):
        self.b[at:at + len(t)] = t
        return self

    def directory(self, category, block):
        return self.u32(16 + 4 * category, block)

    def group(self, block, offset, words, count=None):
        length = len(words[0])
        self.u32(block + 4 * length, offset)
        self.u16(block + offset, 0x01FF).u16(block + offset + 2, len(words) if count is None else count)
        for i, w in enumerate(words):
            self.text(block + offset + 4 + i * length, w)
        return self


def wordlist_seeds(builder):
    # Smallest accepted file: 512 bytes, one category, label with a comma.
    img = Image(1536).directory(0, 256).text(256, b"Ver20260101|00:00:00,tiny")
    img.group(256, 1024, [b"abc", b"Bcd", b"cde"]).group(256, 1040, [b"hello", b"world"])
    put("wordlist", "one-category", seal(img.b))
    # Every category points at one block of Latin and kana words.
    img = Image(1600)
    for c in range(8):
        img.directory(c, 256)
    img.text(256, b"Ver20260101|00:00:00")  # no comma
    img.group(256, 1024, [b"ab", b"Ac", b"ba"]).group(256, 1040, [bytes([0xB1, 0xB2, 0xB3]), bytes([0xB6, 0xB7, 0xB8])])
    img.group(256, 1060, [b"q" * 254])
    put("wordlist", "shared-block", seal(img.b))
    # Groups that reach past the end, a huge count, a huge offset, directory entries below 256.
    img = Image(1400).directory(0, 256).directory(1, 255).directory(2, 0xFFFFFFFF).directory(3, 1390)
    img.directory(4, 300).text(256, b"\x83\x65\x83\x58\x83\x67,x")
    img.group(256, 1024, [b"xy"], count=65535).u32(256 + 4 * 7, 0xFFFFFFF0).u32(256 + 4 * 254, 1130)
    img.group(300, 1040, [b"k"])
    put("wordlist", "out-of-bounds", seal(img.b))
    # Label without a NUL up to the end, with a lead byte cut by the check byte.
    img = Image(512).directory(0, 256)
    img.b[256:511] = b"L" * 254 + b"\x82"
    put("wordlist", "label-to-end", seal(img.b))
    # One byte too short, and a damaged check byte.
    put("wordlist", "too-short", seal(Image(511).directory(0, 256).b))
    damaged = bytearray(seal(Image(600).directory(0, 256).text(256, b"v,").b))
    damaged[-1] ^= 1
    put("wordlist", "bad-check-byte", bytes(damaged))
    put("wordlist", "empty", b"")
    if builder:
        with tempfile.TemporaryDirectory() as tmp:
            src = os.path.join(tmp, "words.txt")
            with open(src, "w", encoding="utf-8") as f:
                f.write("#label Ver20261206|10:00:00,fuzz seed 単語\n#category 0\napple\nbanana\nCherry\nkiwi\n"
                        "#category 2\nTokyo\nOsaka\n#category 4\nアイス\nテレビ\nラジオ\n#category 5\nカメラ\n")
            out = os.path.join(tmp, "out.bin")
            subprocess.run([builder, out, src], check=True, stdout=subprocess.DEVNULL)
            with open(out, "rb") as f:
                put("wordlist", "builder-four-categories", f.read())


# ---- configuration file ----------------------------------------------------------------

def ini_seeds():
    # Each seed: the folder to write, a backslash and a newline, then the file.
    def seed(name, folder, text):
        put("ini", name, folder.replace(b"\\", b"\\\\") + b"\\\n" + text)

    full = (b"[DOJOKAI]\nDOJCFGVERSION=301\nDOJDATPATH=/home/player/dojo\nDOJDATPATHON=1\nRESETSW=0\n"
            b"DOJDATNOTRW=0\nSTARTZKEY=1\nTITSCOREOFF=0\nBMPJPGLOADON=1\n")
    seed("written-by-game", b"/home/player/dojo", full)
    seed("crlf-and-case", b"D:\\data\\", full.replace(b"\n", b"\r\n").replace(b"[DOJOKAI]", b"[dojokai]"))
    seed("empty", b"", b"")
    seed("comments-and-others", b"/x",
         b"; settings\n\n[other]\nDOJDATPATH=no\n\n[ DOJOKAI ]  ; trailing\n  resetsw = 1  \n=lost\n"
         b"junk line\nSTARTZKEY=\"1\"\nTITSCOREOFF='2'\n[DOJOKAI]\nBMPJPGLOADON=1\n")
    seed("numbers", b"  spaced  ",
         b"[DOJOKAI]\nDOJDATPATHON=+1\nRESETSW=-2147483648\nDOJDATNOTRW=2147483648\nSTARTZKEY=99999999999\n"
         b"TITSCOREOFF=1x\nBMPJPGLOADON= 1 \n")
    seed("no-header", b"\"quoted\"", b"DOJDATPATHON=1\n[DOJOKAI\nRESETSW=1")
    seed("utf8-and-cp932", "/データ".encode("utf-8"),
         b"[DOJOKAI]\nDOJDATPATH=/\xe3\x83\x87\xe3\x83\xbc\xe3\x82\xbf\nDOJDATPATHON=1\n"
         b"[\x83\x66]\nx=\x82\xa0\n")
    seed("line-break-value", b"a\nRESETSW=1", full)


# ---- driver script ---------------------------------------------------------------------

def script_seeds():
    put("script", "every-command", b"""# every command once
now 2026-12-06 10:00:00
uptime 3600000
start
wait 2100
key SPACE
key shift+0
key \xef\xbd\xb1
down SHIFT
up SHIFT
char "\\e\\r\\t\\b\\\\\\"\\x82\\xa0"
type hello world  # comment
click Label50
dblclick F6P2
mousedown Image1
mouseup Image1
answer yes
answer no
set Edit1 "/home/player"
check CheckBox1 on
kanalock off
resize 960 600
maximize
restore
dump -
shot /tmp/x.png
expect visible Panel1
expect hidden F6Panel
expect caption Label5 "<20210714p>"
expect state TimeLeft 300
close
""")
    put("script", "bad-lines", b"wait -5\nwait 99999999999\nwait 12x\nresize 1\nkey\nchar \"open\nchar \"\\q\"\n"
        b"char \"\\x4\"\nset Edit1 \"a\" trailing\n   \t\r\n#\n  # indented comment\nexpect state DrillText \"\"\n")
    put("script", "utf8-and-kana", "type こんにちは ｱｲｳ\nset F9E1 名前\nchar \"\\xff\\x80\"\n".encode("utf-8"))


# ---- data file -------------------------------------------------------------------------

def checksum(record):
    x = 0
    for i in range(0, 1440, 2):
        x ^= record[i] | record[i + 1] << 8
    return x


def with_checksum(record):
    record = bytearray(record)
    record[1440:1442] = struct.pack("<H", checksum(record))
    return bytes(record)


def rank_block(seed):
    out = bytearray()
    for t in range(21):
        for r in range(10):
            name = (b"p%d-%d" % (t, r)).ljust(10, b" ")
            if (t + r + seed) % 7 == 0:
                name = b"\x83\x65\x83\x58\x83\x67 \x82  "  # CP932 with a cut lead byte
            out += name + struct.pack("<HHH", 9000 - 100 * r, 500 - r, r)
    return out


def datafile_seeds():
    ranks = rank_block(0)
    record = bytearray(4095)
    record[0:1440] = ranks[0:1440]
    record[1442:3362] = ranks[1440:]
    record[3362:3366] = struct.pack("<HBB", 2026, 1, 2)
    record[3366:3378] = struct.pack("<III", 0xFFFFFFFF, 123456, 7)
    record[3378:3383] = struct.pack("<HBBB", 65535, 59, 59, 95)
    for i in range(21):
        record[3383 + 2 * i:3385 + 2 * i] = struct.pack("<H", 65535 if i % 5 == 0 else i)
    record[3431:3437] = struct.pack("<HBBH", 2026, 12, 6, 65535)
    record[3437:3458] = bytes([0, 1, 8, 9, 0xFF, 0x80, 3] * 3)
    record[3458:3468] = "山田太郎".encode("cp932") + b"\x82\xa0"
    record[3468] = 0xFF
    record[3469] = 0xFB
    full = with_checksum(record)
    assert len(full) == 4095
    put("datafile", "empty", b"")
    put("datafile", "1441-bytes", full[:1441])
    put("datafile", "1442-bytes", full[:1442])
    put("datafile", "4095-full", full)
    put("datafile", "5000-with-tail", full + (bytes(range(256)) * 4)[:5000 - len(full)])
    bad = bytearray(full)
    bad[5] ^= 0x40
    put("datafile", "4095-bad-checksum", bytes(bad))
    zero = bytearray(4095)
    put("datafile", "4095-zeros", bytes(zero))
    # The window-less records target starts from the same files.
    for name in os.listdir(os.path.join(CORPUS, "datafile")):
        with open(os.path.join(CORPUS, "datafile", name), "rb") as f:
            put("records", name, f.read())


# ---- logo pictures ---------------------------------------------------------------------

def bitmap(width, height, pixels=None):
    """A 24-bit bitmap; without pixels a few grey bytes stand in (a header-only bomb)."""
    row = (width * 3 + 3) // 4 * 4
    data = pixels if pixels is not None else b"\x80" * min(row * abs(height), 64)
    header = b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54)
    header += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + data


def jpeg(width, height):
    """A baseline grey JPEG of 8 x 8 pixels (one block, DC only) whose frame header claims
    width x height."""
    quant = b"\xff\xdb\x00\x43\x00" + bytes([1] * 64)
    frame = b"\xff\xc0\x00\x0b\x08" + struct.pack(">HH", height, width) + b"\x01\x01\x11\x00"
    # One DC code (category 0) and one AC code (end of block), each a 1-bit code.
    huff = b"\xff\xc4\x00\x14\x00" + bytes([1] + [0] * 15) + b"\x00"
    huff += b"\xff\xc4\x00\x14\x10" + bytes([1] + [0] * 15) + b"\x00"
    scan = b"\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00"
    return b"\xff\xd8" + quant + frame + huff + scan + b"\x00" * 4 + b"\xff\xd9"


def logo_seeds():
    put("logo", "small.bmp", bitmap(2, 2, b"\x00\x00\xff\x00\xff\x00\x00\x00" * 2))
    put("logo", "bomb.bmp", bitmap(20000, 20000))
    put("logo", "top-down.bmp", bitmap(5000, -5000))
    put("logo", "small.jpg", jpeg(8, 8))
    put("logo", "bomb.jpg", jpeg(16384, 16384))


def main():
    builder = sys.argv[1] if len(sys.argv) > 1 else None
    wordlist_seeds(builder)
    ini_seeds()
    script_seeds()
    datafile_seeds()
    logo_seeds()


if __name__ == "__main__":
    main()
