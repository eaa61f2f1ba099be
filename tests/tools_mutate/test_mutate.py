"""Tests of the mutation runner: the sites it finds, the kept list of
equivalent mutants, and whole runs on the tiny project in sample/."""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
TOOL = os.path.join(HERE, "..", "..", "tools", "mutate")
sys.dont_write_bytecode = True  # nothing written beside the sources
sys.path.insert(0, TOOL)

import equivalents  # noqa: E402
import mutants  # noqa: E402


def descriptions(code):
    return [m.description for m in mutants.find_mutants("f.cpp", code)]


class SitesTest(unittest.TestCase):
    def test_each_operator_on_its_own_site(self):
        cases = [
            ("int f(int a, int b) { return a < b; }", ["'<' -> '<='"]),
            ("int f(int a, int b) { return a >= b; }", ["'>=' -> '>'"]),
            ("int f(int a, int b) { return a != b; }", ["'!=' -> '=='"]),
            ("int f(int a, int b) { return a - b; }", ["'-' -> '+'"]),
            ("int f(int a, int b) { return a * b; }", ["'*' -> '/'"]),
            ("void f(int& a, int b) { a /= b; }", ["statement removed", "'/=' -> '*='"]),
            ("int f(int a) { return a - 1; }", ["'- 1' removed", "'-' -> '+'"]),
            ("int f(int a, int b) { return (a + b) / 2; }",
             ["'+' -> '-'", "'+ 1' added before '/'", "'- 1' added before '/'", "'/' -> '*'", "'2' -> '3'"]),
            ("int f() { return 0; }", ["'0' -> '1'"]),
            ("bool f() { return true; }", ["'true' -> 'false'"]),
            ("bool f(bool a, bool b) { return a || b; }", ["'||' -> '&&'"]),
            # A bound moves against the comparison's own swap: < 10 also becomes < 9, <= 'z' also <= '{'.
            ("bool f(int c) { return c < 10; }", ["'<' -> '<='", "'10' -> '9'"]),
            ("bool f(char c) { return c <= 'z'; }", ["'<=' -> '<'", "'z' -> '{'"]),
            ("bool f(char c) { return 'a' <= c; }", ["'a' -> '`'", "'<=' -> '<'"]),
            ("bool f(char16_t c) { return c >= u'A'; }", ["'>=' -> '>'", "u'A' -> u'@'"]),
            ("int f(int a) { if (a) g(); else h(); return 0; }",
             ["condition negated", "statement removed", "else removed", "statement removed", "'0' -> '1'"]),
            ("void f(int n) { while (n) { if (n == 2) break; --n; } }",
             ["condition negated", "condition negated", "'==' -> '!='", "'2' -> '3'", "'break' removed",
              "statement removed"]),
        ]
        for code, expected in cases:
            self.assertEqual(descriptions(code), expected, code)

    def test_comments_strings_includes_and_templates_are_no_sites(self):
        code = "\n".join([
            '#include <vector>',
            '#define TWICE(x) ((x) + (x))',
            '#if A < 2 \\',
            '  && B > 1',
            '#endif',
            '// a < b + 1',
            '/* a - b',
            '   && c */',
            'const char* s = "a < b && c";',
            'const char* r = R"(x + 1 < 2)";',
            'std::vector<std::pair<int, int>> v;',
            'template <typename T> T id(const T* p) { return static_cast<T>(*p); }',
            'bool operator<(const A& x, const A& y);',
            'int t[] = {2, 3, 5, 7, 11, 13, 17, 19, 23};',
        ])
        self.assertEqual(descriptions(code), [])

    def test_declarations_are_not_removed_but_effects_are(self):
        code = "void f() { QImage img(2, 3); int n = g(); Foo* p = q(); n += 1; img.fill(n); Q_UNUSED(p); }"
        removed = [m for m in mutants.find_mutants("f.cpp", code) if m.description == "statement removed"]
        self.assertEqual([code[m.start:m.end] for m in removed], ["n += 1", "img.fill(n)"])

    def test_keys_hold_the_line_text_not_its_number(self):
        code = "int f(int a, int b) {\n  return a < b &&   b < 9;\n}\n"
        moved = "\n\n// a note\n" + code.replace("b &&   b", "b && b")
        keys = [m.key for m in mutants.find_mutants("p/f.cpp", code)]
        self.assertEqual(keys, [m.key for m in mutants.find_mutants("p/f.cpp", moved)])
        self.assertIn("p/f.cpp: return a < b && b < 9;  =>  '<' -> '<=' #2", keys)


class EquivalentsTest(unittest.TestCase):
    def test_entries_parse_and_bad_lines_are_refused(self):
        key, why = equivalents.parse_line("a/b.cpp:   if (x  <  y)   =>  '<' -> '<='  --  x never equals y")
        self.assertEqual(key, "a/b.cpp: if (x < y)  =>  '<' -> '<='")
        self.assertEqual(why, "x never equals y")
        self.assertIsNone(equivalents.parse_line("# a comment"))
        with self.assertRaises(ValueError):
            equivalents.parse_line("a/b.cpp: if (x < y) '<' -> '<='")


def read(path):
    with open(path) as f:
        return f.read()


def run_tool(root, *args, **popen):
    cmd = [sys.executable, os.path.join(TOOL, "mutate.py"), "--root", root,
           "--work", os.path.join(root, "build-mutate"), "--jobs", "2"] + list(args)
    return subprocess.Popen(cmd, cwd=root, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **popen)


class SampleRunTest(unittest.TestCase):
    """One sample project for all cases: interrupted runs first, then a whole
    run that must give the same answers as if nothing had happened."""

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="mutate-sample-")
        self.root = os.path.join(self.dir, "sample")
        shutil.copytree(os.path.join(HERE, "sample"), self.root)
        with open(os.path.join(self.root, ".gitignore"), "w") as f:
            f.write("/build-mutate/\n")
        for cmd in (["init", "-q"], ["add", "."],
                    ["-c", "user.name=t", "-c", "user.email=t@t", "commit", "-q", "-m", "sample"]):
            subprocess.run(["git", "-C", self.root] + cmd, check=True)

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def git_status(self):
        return subprocess.run(["git", "-C", self.root, "status", "--porcelain"], check=True,
                              capture_output=True, text=True).stdout

    def interrupt(self, signum):
        """Starts a run, waits until a mutant is in the copy, and sends the signal."""
        original = read(os.path.join(self.root, "range.cpp"))
        copy = os.path.join(self.root, "build-mutate", "tree", "range.cpp")
        proc = run_tool(self.root, "range.cpp", env=dict(os.environ, SAMPLE_TEST_PAUSE="300"))
        deadline = time.monotonic() + 300
        while time.monotonic() < deadline and proc.poll() is None:
            try:
                if read(copy) != original:
                    break
            except FileNotFoundError:
                pass
            time.sleep(0.01)
        if proc.poll() is not None:
            self.fail("the run ended before a mutant was in place:\n" + proc.communicate()[0])
        proc.send_signal(signum)
        out, _ = proc.communicate(timeout=120)
        self.assertEqual(proc.returncode, 128 + signum, out)
        self.assertIn("interrupted", out)
        self.assertEqual(read(copy), original, "the copy still holds a mutant")
        self.assertEqual(self.git_status(), "")

    def test_interrupted_runs_restore_and_a_whole_run_finds_the_weak_test(self):
        self.interrupt(signal.SIGINT)
        self.interrupt(signal.SIGTERM)

        results = os.path.join(self.dir, "results.json")
        proc = run_tool(self.root, "range.cpp", "text.cpp", "--equivalent",
                        os.path.join(self.root, "equivalent.txt"), "--json", results)
        out, _ = proc.communicate(timeout=900)
        self.assertEqual(proc.returncode, 0, out)
        self.assertEqual(self.git_status(), "")
        by_status = {}
        for r in json.loads(read(results))["mutants"]:
            by_status.setdefault(r["status"], []).append(r)
        survived = sorted((r["line"], r["description"]) for r in by_status["survived"])
        self.assertEqual(survived, [(4, "'<=' -> '<'"), (4, "'>=' -> '>'")], out)
        self.assertEqual(sorted(r["line"] for r in by_status["equivalent"]), [7, 8])
        self.assertEqual(len(by_status["killed"]), 13)
        self.assertNotIn("timeout", by_status)
        self.assertNotIn("uncompiled", by_status)
        # Each file's mutants are judged only by the binary that holds its code.
        self.assertEqual({(r["path"], r["by"]) for r in by_status["killed"]},
                         {("range.cpp", "range_tests"), ("text.cpp", "text_tests")})
        self.assertIn("+bool InRange(int v, int lo, int hi) { return v > lo && v <= hi; }", out)
        self.assertRegex(out, r"all\s+17\s+13\s+2\s+2\s+0\s+0\s+86\.7%")


if __name__ == "__main__":
    unittest.main()
