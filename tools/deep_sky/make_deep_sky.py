#!/usr/bin/env python3
"""Writes catalog/data/deep_sky.csv: the famous clusters, nebulae and
galaxies the picture can mark, with positions, magnitudes and sizes from
OpenNGC (Mattia Verga, https://github.com/mattiaverga/OpenNGC, CC BY-SA 4.0).

Run once by hand with a clone of OpenNGC:
    python3 tools/deep_sky/make_deep_sky.py /path/to/OpenNGC
The Japanese names and readings are ours. Positions are J2000; the program
carries them to its star table's equinox itself.
"""
import csv
import sys
from pathlib import Path

# id, OpenNGC name(s) (two averaged for the Double Cluster), Japanese name, reading
OBJECTS = [
    ("M1", ["NGC1952"], "かに星雲", "かにせいうん"),
    ("M6", ["NGC6405"], "バタフライ星団", "ばたふらいせいだん"),
    ("M7", ["NGC6475"], "トレミー星団", "とれみーせいだん"),
    ("M8", ["NGC6523"], "干潟星雲", "ひがたせいうん"),
    ("M11", ["NGC6705"], "野鴨星団", "のがもせいだん"),
    ("M13", ["NGC6205"], "ヘルクレス座球状星団", "へるくれすざきゅうじょうせいだん"),
    ("M20", ["NGC6514"], "三裂星雲", "さんれつせいうん"),
    ("M22", ["NGC6656"], "いて座球状星団", "いてざきゅうじょうせいだん"),
    ("M27", ["NGC6853"], "あれい星雲", "あれいせいうん"),
    ("M31", ["NGC0224"], "アンドロメダ銀河", "あんどろめだぎんが"),
    ("M33", ["NGC0598"], "さんかく座銀河", "さんかくざぎんが"),
    ("M35", ["NGC2168"], "ふたご座の散開星団", "ふたござのさんかいせいだん"),
    ("M42", ["NGC1976"], "オリオン大星雲", "おりおんだいせいうん"),
    ("M44", ["NGC2632"], "プレセペ星団", "ぷれせぺせいだん"),
    ("M45", ["Mel022"], "すばる", "すばる"),
    ("M51", ["NGC5194"], "子持ち銀河", "こもちぎんが"),
    ("M57", ["NGC6720"], "環状星雲", "かんじょうせいうん"),
    ("M81", ["NGC3031"], "ボーデの銀河", "ぼーでのぎんが"),
    ("M82", ["NGC3034"], "葉巻銀河", "はまきぎんが"),
    ("M104", ["NGC4594"], "ソンブレロ銀河", "そんぶれろぎんが"),
    ("h-χ", ["NGC0869", "NGC0884"], "二重星団", "にじゅうせいだん"),
    ("NGC 5139", ["NGC5139"], "オメガ星団", "おめがせいだん"),
]

KINDS = {"OCl": "散開星団", "GCl": "球状星団", "Cl+N": "散光星雲", "Neb": "散光星雲", "HII": "散光星雲",
         "PN": "惑星状星雲", "G": "銀河", "SNR": "超新星残骸"}


def sexagesimal(text):
    sign = -1.0 if text.startswith("-") else 1.0
    h, m, s = (float(x) for x in text.lstrip("+-").split(":"))
    return sign * (h + m / 60.0 + s / 3600.0)


def main(root):
    rows = {}
    for name in ("NGC.csv", "addendum.csv"):
        with open(Path(root) / "database_files" / name, newline="", encoding="utf-8") as f:
            for r in csv.DictReader(f, delimiter=";"):
                rows[r["Name"]] = r
    out = csv.writer(sys.stdout if len(sys.argv) < 3 else open(sys.argv[2], "w", newline="", encoding="utf-8"),
                     lineterminator="\n")
    out.writerow(["id", "name", "reading", "kind", "ra_hours", "dec_deg", "mag", "size_arcmin", "source"])
    for ident, names, ja, reading in OBJECTS:
        src = [rows[n] for n in names]
        ra = sum(sexagesimal(r["RA"]) for r in src) / len(src)
        dec = sum(sexagesimal(r["Dec"]) for r in src) / len(src)
        mags = [float(r["V-Mag"] or r["B-Mag"]) for r in src]
        mag = min(mags) if len(mags) == 1 else round(min(mags) - 0.4, 1)  # two similar clusters: about 0.4 brighter
        size = max(float(r["MajAx"] or 0) for r in src)
        if len(src) == 2:
            size = 60.0  # the pair spans about a degree
        out.writerow([ident, ja, reading, KINDS[src[0]["Type"]], f"{ra:.6f}", f"{dec:.5f}", f"{mag:.1f}",
                      f"{size:.1f}", "OpenNGC " + "+".join(names)])


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: make_deep_sky.py OPENNGC_DIR [OUTPUT.csv]")
    main(sys.argv[1])
