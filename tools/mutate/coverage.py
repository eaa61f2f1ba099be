"""Which test binaries cover a source file, read from the build graph.

A test binary covers a file when the file's object is linked into it: either
named on its link line, or taken from a static library on its link line. A
static library gives the linker only the objects something asks for, so an
object of a library counts only when one of its own symbols is defined in the
binary. A header covers through every object whose recorded dependencies hold it.
"""

import json
import os
import re
import shlex
import subprocess


def ninja_lines(build, *tool):
    out = subprocess.run(["ninja", "-C", build, "-t"] + list(tool), check=True,
                         capture_output=True, text=True).stdout
    return out.splitlines()


def test_binaries(build, name_re, exclude_re):
    """Build-relative paths of the linked executables whose file name matches name_re."""
    names = []
    for line in ninja_lines(build, "targets", "all"):
        target, _, rule = line.rpartition(": ")
        base = os.path.basename(target)
        if "EXECUTABLE_LINKER" in rule and re.search(name_re, base) and \
                not (exclude_re and re.search(exclude_re, base)):
            names.append(target)
    return sorted(names)


def link_inputs(build, target):
    """The objects and static libraries a target is linked from: the explicit
    and implicit inputs of its edge ("| lib.a"), not the order-only ones."""
    inputs, section = [], None
    for line in ninja_lines(build, "query", target):
        s = line.strip()
        if line.startswith("  ") and not line.startswith("    "):
            section = s.split(":")[0]
        elif section == "input" and not s.startswith("||"):
            name = s.lstrip("| ")
            if name.endswith((".o", ".a")):
                inputs.append(name)
    return inputs


def strong_symbols(path):
    out = subprocess.run(["nm", "--defined-only", "-g", path], capture_output=True, text=True).stdout
    return {p[2] for p in (line.split() for line in out.splitlines())
            if len(p) == 3 and p[1] in "TDBR"}


def defined_symbols(path):
    out = subprocess.run(["nm", "--defined-only", path], capture_output=True, text=True).stdout
    return {p[-1] for p in (line.split() for line in out.splitlines()) if len(p) >= 3}


def object_of(entry):
    """The object file a compile_commands.json entry writes."""
    if "output" in entry:
        return entry["output"]
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    return words[words.index("-o") + 1]


class Coverage:
    def __init__(self, build, tree, name_re=r"_tests$", exclude_re=None):
        self.build = build
        self.tree = tree
        self.binaries = test_binaries(build, name_re, exclude_re)
        with open(os.path.join(build, "compile_commands.json")) as f:
            self.objects_of = {}
            for entry in json.load(f):
                src = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
                obj = os.path.relpath(os.path.join(entry["directory"], object_of(entry)), build)
                self.objects_of.setdefault(src, []).append(obj)
        self._links = {}
        self._symbols = {}
        self._library_objects = {}

    def objects_for(self, rel):
        """Objects built from the file, or including it when it is a header."""
        src = os.path.realpath(os.path.join(self.tree, rel))
        if src in self.objects_of:
            return self.objects_of[src]
        objs, current = [], None
        for line in ninja_lines(self.build, "deps"):
            if line and not line.startswith(" "):
                current = line.split(":")[0]
            elif line.strip() and os.path.realpath(os.path.join(self.build, line.strip())) == src:
                objs.append(current)
        return objs

    def linked_objects(self, binary):
        """(objects named on the link line, objects taken from its static libraries)."""
        if binary not in self._links:
            direct, libs = [], []
            for name in link_inputs(self.build, binary):
                if name.endswith(".o"):
                    direct.append(name)
                elif not os.path.isabs(name):  # a library of this build, not of the system
                    libs += self.library_objects(name)
            self._links[binary] = (set(direct), set(libs))
        return self._links[binary]

    def library_objects(self, library):
        if library not in self._library_objects:
            self._library_objects[library] = [o for o in link_inputs(self.build, library) if o.endswith(".o")]
        return self._library_objects[library]

    def libraries_holding(self, objects, binaries):
        """The static libraries of the binaries' link lines that hold one of the objects."""
        found = set()
        for binary in binaries:
            self.linked_objects(binary)
            for name in link_inputs(self.build, binary):
                if name.endswith(".a") and not os.path.isabs(name) and \
                        set(objects) & set(self.library_objects(name)):
                    found.add(name)
        return sorted(found)

    def binary_symbols(self, binary):
        if binary not in self._symbols:
            self._symbols[binary] = defined_symbols(os.path.join(self.build, binary))
        return self._symbols[binary]

    def covering(self, rel):
        """The test binaries that hold code of the file."""
        objects = self.objects_for(rel)
        found = []
        for binary in self.binaries:
            direct, from_libs = self.linked_objects(binary)
            for obj in objects:
                if obj in direct:
                    found.append(binary)
                    break
                if obj in from_libs:
                    own = strong_symbols(os.path.join(self.build, obj))
                    if not own or own & self.binary_symbols(binary):
                        found.append(binary)
                        break
        return found
