#!/usr/bin/env python3
"""Make the two tables behind the page's ふりがな.

catalog/data/kanji_grades.csv: every kanji of the 2020 学年別漢字配当表
(1,026 kanji, grades 1 to 6), read from KANJIDIC's G field as Debian's
`kanjidic` package installs it (/usr/share/edict/kanjidic, EUC-JP).

catalog/data/word_readings.csv: the reading of every kanji word the
program writes in Japanese. The words are found by cutting the program's
own Japanese texts (the page, the session's sentences and the catalogue's
names) into words with MeCab and the IPA dictionary (Debian's `mecab` and
`mecab-ipadic-utf8`); corrections.csv beside this script then mends what
MeCab gets wrong for this vocabulary (南中, 輝面比, 一晩中 ...), joins
words the page should read as one, and drops pieces that are not words.

Run from the repository's root after `apt-get install kanjidic mecab
mecab-ipadic-utf8`:  python3 tools/readings/make_readings.py
"""
import csv
import glob
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HERE = os.path.dirname(os.path.abspath(__file__))
KANJIDIC = "/usr/share/edict/kanjidic"

# Where the program's Japanese texts are.
SOURCES = ["web/*.html", "web/*.js", "app/session/*.cpp", "view/*.cpp", "catalog/data/*.csv", "catalog/*.cpp"]

# What this script writes, which is not read back as text.
OUTPUTS = {"kanji_grades.csv", "word_readings.csv"}

KANJI = re.compile(r"[\u3400-\u9fff\uf900-\ufaff々〆]")
# A run of Japanese text: kanji, kana, the long vowel mark and the iteration marks.
JAPANESE = re.compile(r"[\u3040-\u30ff\u3400-\u9fff\uf900-\ufaff々〆ヶー]+")


def kata_to_hira(s):
    return "".join(chr(ord(c) - 0x60) if "ァ" <= c <= "ヶ" else c for c in s)


def grades():
    text = open(KANJIDIC, encoding="euc_jp", errors="replace").read()
    out = []
    for line in text.splitlines():
        if line.startswith("#"):
            continue
        fields = line.split()
        for f in fields[2:]:
            m = re.fullmatch(r"G([1-6])", f)
            if m:
                out.append((fields[0], int(m.group(1))))
    if len(out) != 1026:
        sys.exit(f"expected the 1,026 kanji of the 2020 list, found {len(out)}")
    return sorted(out, key=lambda kg: (kg[1], ord(kg[0])))


def texts():
    runs = set()
    for pattern in SOURCES:
        for path in sorted(glob.glob(os.path.join(ROOT, pattern))):
            if os.path.basename(path) in OUTPUTS:
                continue
            for m in JAPANESE.finditer(open(path, encoding="utf-8").read()):
                if KANJI.search(m.group()):
                    runs.add(m.group())
    return sorted(runs)


def mecab_words(runs):
    out = subprocess.run(["mecab", "-Ochasen"], input="\n".join(runs) + "\n", capture_output=True, text=True,
                         check=True).stdout
    words = {}
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) < 2 or not KANJI.search(parts[0]):
            continue
        surface, reading = parts[0], kata_to_hira(parts[1])
        if surface != reading:
            words.setdefault(surface, reading)
    return words


def main():
    with open(os.path.join(ROOT, "catalog/data/kanji_grades.csv"), "w", encoding="utf-8", newline="") as f:
        f.write("kanji,grade\n")
        for k, g in grades():
            f.write(f"{k},{g}\n")

    words = mecab_words(texts())
    with open(os.path.join(HERE, "corrections.csv"), encoding="utf-8") as f:
        for row in csv.reader(line for line in f if line.strip() and not line.startswith("#")):
            word, reading = row[0].strip(), row[1].strip()
            if reading == "-":
                words.pop(word, None)
            else:
                words[word] = reading
    with open(os.path.join(ROOT, "catalog/data/word_readings.csv"), "w", encoding="utf-8", newline="") as f:
        f.write("word,reading\n")
        for word in sorted(words):
            f.write(f"{word},{words[word]}\n")
    print(f"{len(words)} words")


if __name__ == "__main__":
    main()
