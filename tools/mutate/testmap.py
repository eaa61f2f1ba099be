"""The kept map of which tests judge a file's mutants.

Without it a file is judged by every test binary its code is linked into,
which for a low-level file is nearly every suite, the slowest among them run
in full for each surviving mutant. A line of the map names, for the files a
pattern matches, the binaries to run instead, each with an optional
GoogleTest filter after "=":

    platform/IntText.cpp   platform_tests  toolkit_tests=IniFileTest.*:StrToInt.*

Patterns are shell patterns of paths relative to the root; the first line that
matches wins (a * matches across folders too). Lines starting with # are comments.
"""

import fnmatch

import listfile


class TestMap:
    def __init__(self, entries):
        self.entries = entries  # [(pattern, [(binary name, filter or None)])]

    def lookup(self, rel):
        for pattern, runs in self.entries:
            if fnmatch.fnmatchcase(rel, pattern):
                return runs
        return None


def parse_line(line):
    words = line.split("#", 1)[0].split() if not line.lstrip().startswith("#") else []
    if not words:
        return None
    if len(words) < 2:
        raise ValueError(f"a pattern and at least one test binary: {line.strip()}")
    runs = []
    for w in words[1:]:
        name, _, gtest_filter = w.partition("=")
        runs.append((name, gtest_filter or None))
    return words[0], runs


def load(path):
    entries = [entry for _, entry in listfile.read(path, parse_line)]
    return TestMap(entries)
