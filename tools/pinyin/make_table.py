#!/usr/bin/env python3
"""Makes the program's pinyin table from the npm package pinyin-pro.

    tools/pinyin/make_table.py [--package DIR] [--out DIR] [--fetch]
    tools/pinyin/make_table.py --check [--package DIR]

The package (the unpacked folder that holds package.json and dist/) is taken
from --package, else from CQ_PINYIN_PACKAGE, else from the cache folder
($CQ_CACHE_DIR, else $XDG_CACHE_HOME/cinnabarquillpad, else
~/.cache/cinnabarquillpad)/pinyin-pro-VERSION; --fetch fetches it there with
npm when it is missing. The table and the package's licence are written to
--out (default: the repository's resources/pinyin). Running it again
on the same package writes the same bytes; --check makes the table in a
temporary folder and tells whether the kept files are those bytes (status 1
when not). Exit status 77: no package found.

What the table keeps:
 - each character of the basic plane with its most common reading (the first
   the dataset lists), grouped by reading;
 - every phrase of two to five characters with the reading of each character
   (phrases whose readings are their characters' own stay: where one overlaps
   another phrase, it decides which of the two applies).
Two changes make the phrase readings fit verse read aloud slowly, syllable by
syllable: a neutral tone of modern speech takes the character's own tone with
the same letters (消息 xiāo xi becomes xiāo xī), and 一 and 不 keep their own
tones (yī, bù) where speech changes them before another syllable.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

PACKAGE = "pinyin-pro"
VERSION = "3.29.5"
TABLE = "pinyin-table.txt"
LICENCE = "LICENSE-pinyin-pro.txt"
NO_PACKAGE = 77

TONE_MARKS = {
    "ā": "a", "á": "a", "ǎ": "a", "à": "a", "ē": "e", "é": "e", "ě": "e", "è": "e",
    "ī": "i", "í": "i", "ǐ": "i", "ì": "i", "ō": "o", "ó": "o", "ǒ": "o", "ò": "o",
    "ū": "u", "ú": "u", "ǔ": "u", "ù": "u", "ǖ": "ü", "ǘ": "ü", "ǚ": "ü", "ǜ": "ü",
    "ń": "n", "ň": "n", "ǹ": "n", "ḿ": "m", "m̀": "m",
}
# Speech's tone changes of 一 and 不 before another syllable, undone.
OWN_TONE = {"一": "yī", "不": "bù"}


def toneless(syllable):
    return "".join(TONE_MARKS.get(c, c) for c in syllable)


def has_tone(syllable):
    return toneless(syllable) != syllable


def is_han(c):
    o = ord(c)
    return 0x3400 <= o <= 0x4DBF or 0x4E00 <= o <= 0x9FFF or 0xF900 <= o <= 0xFAFF or o == 0x3007


def cache_dir():
    if os.environ.get("CQ_CACHE_DIR"):
        return os.environ["CQ_CACHE_DIR"]
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(base, "cinnabarquillpad")


def find_package(args):
    folder = args.package or os.environ.get("CQ_PINYIN_PACKAGE") or os.path.join(cache_dir(), f"{PACKAGE}-{VERSION}")
    if os.path.isfile(os.path.join(folder, "package.json")):
        return folder
    if not args.fetch or args.package or os.environ.get("CQ_PINYIN_PACKAGE"):
        return None
    os.makedirs(os.path.dirname(folder), exist_ok=True)
    with tempfile.TemporaryDirectory(dir=os.path.dirname(folder)) as work:
        subprocess.run(["npm", "pack", "--loglevel=error", f"{PACKAGE}@{VERSION}"], cwd=work, check=True,
                       stdout=subprocess.DEVNULL)
        subprocess.run(["tar", "xzf", f"{PACKAGE}-{VERSION}.tgz"], cwd=work, check=True)
        # Only a wholly unpacked package takes the final name.
        os.replace(os.path.join(work, "package"), folder)
    return folder


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def check_version(folder):
    found = re.search(r'"version"\s*:\s*"([^"]+)"', read(os.path.join(folder, "package.json")))
    if not found or found.group(1) != VERSION:
        sys.exit(f"{folder} holds {PACKAGE} {found.group(1) if found else '?'}, not {VERSION}")


def character_readings(data):
    """Every reading of each character, the most common first (later entries win, as in the package)."""
    source = read(os.path.join(data, "dict1.mjs"))
    readings = {}
    for key, body in re.findall(r"\n    '?([^':\n\[]+?)'?: \[(.*?)\]", source, re.S):
        syllables = key.split()
        for char in re.findall(r"'([^']+)'", body):
            if len(char) == 1 and ord(char) < 0x10000:
                readings[char] = syllables
    return readings


def phrase_readings(data, readings):
    phrases = {}
    for n in range(2, 6):
        source = read(os.path.join(data, f"dict{n}.mjs"))
        for phrase, value in re.findall(r"\n    ['\"]?([^'\":\n]+?)['\"]?: ['\"]([^'\"]*)['\"]", source):
            syllables = value.split()
            if len(syllables) != len(phrase) or not all(c in readings for c in phrase):
                continue
            phrases[phrase] = [own_reading(c, s, readings[c]) for c, s in zip(phrase, syllables)]
    return phrases


def own_reading(char, syllable, readings):
    if char in OWN_TONE:
        return OWN_TONE[char]
    if has_tone(syllable):
        return syllable
    toned = [r for r in readings if has_tone(r) and toneless(r) == syllable]
    return toned[0] if toned else syllable


def write_table(path, defaults, phrases):
    by_reading = {}
    for char, reading in defaults.items():
        by_reading.setdefault(reading, []).append(char)
    lines = [
        f"# Readings of Chinese characters, made by tools/pinyin/make_table.py from {PACKAGE} {VERSION}",
        f"# (MIT licence: {LICENCE}). [characters]: a reading, then the characters whose most",
        "# common reading it is. [phrases]: a phrase, then the reading of each of its characters.",
        "[characters]",
    ]
    for reading in sorted(by_reading):
        lines.append(reading + " " + "".join(sorted(by_reading[reading])))
    lines.append("[phrases]")
    for phrase in sorted(phrases):
        lines.append(phrase + " " + " ".join(phrases[phrase]))
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--package")
    parser.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "pinyin"))
    parser.add_argument("--fetch", action="store_true")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    folder = find_package(args)
    if folder is None:
        print(f"{PACKAGE} {VERSION} is not in {args.package or os.environ.get('CQ_PINYIN_PACKAGE') or cache_dir()}"
              " (--fetch fetches it)", file=sys.stderr)
        return NO_PACKAGE
    check_version(folder)
    if not args.check:
        return make(folder, args.out)
    with tempfile.TemporaryDirectory() as fresh:
        make(folder, fresh)
        differing = [name for name in (TABLE, LICENCE) if not same_bytes(os.path.join(fresh, name), os.path.join(args.out, name))]
    for name in differing:
        print(f"{os.path.join(args.out, name)} is not what the script makes from {folder}", file=sys.stderr)
    return 1 if differing else 0


def make(folder, out):
    data = os.path.join(folder, "dist", "esm", "data")
    readings = character_readings(data)
    defaults = {c: r[0] for c, r in readings.items() if is_han(c)}
    phrases = phrase_readings(data, {c: r for c, r in readings.items() if c in defaults})
    os.makedirs(out, exist_ok=True)
    write_table(os.path.join(out, TABLE), defaults, phrases)
    shutil.copyfile(os.path.join(folder, "LICENSE"), os.path.join(out, LICENCE))
    print(f"{len(defaults)} characters, {len(phrases)} phrases: {os.path.getsize(os.path.join(out, TABLE))} bytes")
    return 0


def same_bytes(a, b):
    if not os.path.isfile(b):
        return False
    with open(a, "rb") as x, open(b, "rb") as y:
        return x.read() == y.read()

if __name__ == "__main__":
    sys.exit(main())
