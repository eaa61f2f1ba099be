"""Reading the runner's kept list files: one entry a line, comments and blank
lines skipped by each file's own line parser, a bad line named by file and line."""

import os


def read(path, parse_line):
    """The entries of `path` (none when it is missing), each with its line number."""
    entries = []
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for n, line in enumerate(f, 1):
                try:
                    entry = parse_line(line)
                except ValueError as e:
                    raise SystemExit(f"{path}:{n}: {e}")
                if entry:
                    entries.append((n, entry))
    return entries
