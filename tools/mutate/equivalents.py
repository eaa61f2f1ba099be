"""The kept list of equivalent mutants: mutants that cannot change what the
code does, so no test can kill them.

One entry a line, the mutant's key and the reason:

    path: the line's text  =>  the mutation  --  why it changes nothing

The key is the file's path, the text of the mutated line with its blanks
collapsed, and the mutation as the runner prints it ("'<' -> '<='", with
" #2" when the same mutation is made a second time on a line of that text).
It holds no line numbers, so an entry survives edits elsewhere in the file;
when a file moves, its entries move with a change of the path. Lines starting
with # are comments.
"""

import os

import listfile


class Equivalents:
    def __init__(self, why, origin):
        self.why = why        # key -> reason
        self.origin = origin  # key -> line number in the list
        self.used = set()

    def missing_files(self, root):
        paths = sorted({key.split(": ", 1)[0] for key in self.why})
        return [f"the equivalent list names {p}, which is not in the tree"
                for p in paths if not os.path.exists(os.path.join(root, p))]

    def unused(self, paths):
        return sorted(k for k in self.why if k.split(": ", 1)[0] in paths and k not in self.used)


def parse_line(line):
    """(key, why) of one entry, or None for a comment or blank line."""
    line = line.strip()
    if not line or line.startswith("#"):
        return None
    if "  =>  " not in line or "  --  " not in line.split("  =>  ", 1)[1]:
        raise ValueError(f"not 'path: line  =>  mutation  --  why': {line}")
    left, right = line.split("  =>  ", 1)
    mutation, why = right.split("  --  ", 1)
    path, _, text = left.partition(": ")
    return f"{path}: {' '.join(text.split())}  =>  {mutation.strip()}", why.strip()


def load(path):
    why, origin = {}, {}
    for n, entry in listfile.read(path, parse_line):
        why[entry[0]], origin[entry[0]] = entry[1], n
    return Equivalents(why, origin)
