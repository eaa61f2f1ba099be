#!/usr/bin/env python3
"""Mutation runner: makes one small fault at a time in the given source files
and checks that some test fails.

    tools/mutate/mutate.py [options] FILE[:FIRST-LAST]...

Each mutant is written into a private copy of the tree (build-mutate/tree,
with its own quick build in build-mutate/build), built incrementally, and the
test binaries that hold the file's code are run on it, fastest first, until
one fails. A mutant that no test notices "survived"; the runner prints each as
a diff and ends with the score per file. The work tree is never written.
"""

import argparse
import difflib
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing written beside the sources
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import coverage  # noqa: E402
import equivalents  # noqa: E402
import mutants  # noqa: E402
import testmap  # noqa: E402
import workspace  # noqa: E402

DETECTED = ("killed", "timeout")
STATUSES = ("killed", "survived", "equivalent", "timeout", "uncompiled")


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("files", nargs="*", help="source files relative to the root, optionally :FIRST-LAST lines")
    p.add_argument("--root", help="the work tree (default: the git checkout around the current folder)")
    p.add_argument("--work", help="the private copy and its build (default: ROOT/build-mutate)")
    p.add_argument("--sample", type=int, help="run N mutants chosen at random instead of all")
    p.add_argument("--seed", type=int, default=1, help="the sample's seed (default 1)")
    p.add_argument("--operators", help="comma-separated operators to use (default all): " +
                   ", ".join(sorted({"relational", "arithmetic", "off by one", "constant", "logical",
                                     "removal"})))
    p.add_argument("--rerun", metavar="JSON", help="run only the mutants that survived in an earlier --json file")
    p.add_argument("--list", action="store_true", help="list the mutants and stop")
    p.add_argument("--json", metavar="FILE", help="write every mutant's result to FILE")
    p.add_argument("--summarize", nargs="+", metavar="JSON",
                   help="print the table of earlier --json files (later ones win) and stop")
    p.add_argument("--equivalent", help="the list of equivalent mutants (default ROOT/tools/mutate/equivalent.txt)")
    p.add_argument("--cmake-arg", action="append", default=None,
                   help="configure argument of the private build (default a Debug build without "
                        "optimisation or debug information, linked with lld when it is there)")
    p.add_argument("--prepare-target", action="append",
                   help="what the private build builds first (default: every test binary that is run)")
    p.add_argument("--tests", default=r"_tests$", help="test binaries: a pattern of their file names")
    p.add_argument("--test-map", help="which tests judge which files (default ROOT/tools/mutate/tests.txt)")
    p.add_argument("--all-tests", action="store_true",
                   help="judge by every test binary that holds the file's code, whatever the map says")
    p.add_argument("--exclude-tests", default=r"^e2e", help="test binaries never run (default ^e2e)")
    p.add_argument("--env", action="append", default=None,
                   help="NAME=VALUE for the tests (default QT_QPA_PLATFORM=offscreen)")
    p.add_argument("--timeout-factor", type=float, default=3.0,
                   help="a test binary's limit per mutant, as a multiple of its time on the unchanged code")
    p.add_argument("--timeout-min", type=float, default=10.0, help="the least limit in seconds (default 10)")
    p.add_argument("--jobs", type=int, default=2, help="build jobs (default 2)")
    p.add_argument("-v", "--verbose", action="store_true", help="show build and test output of each mutant")
    return p.parse_args(argv)


def find_root(arg):
    if arg:
        return os.path.abspath(arg)
    try:
        return subprocess.run(["git", "rev-parse", "--show-toplevel"], check=True,
                              capture_output=True, text=True).stdout.strip()
    except (subprocess.CalledProcessError, FileNotFoundError):
        return os.getcwd()


def default_cmake_args():
    args = ["-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -g0"]
    if shutil.which("ld.lld"):
        args += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld", "-DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld"]
    return args


def log(*parts):
    print(*parts, flush=True)


# -- choosing the mutants -------------------------------------------------------

def parse_file_arg(root, arg):
    m = re.match(r"^(.*?)(?::(\d+)-(\d+))?$", arg)
    path, first, last = m.group(1), m.group(2), m.group(3)
    rel = os.path.relpath(os.path.abspath(path), root) if os.path.isabs(path) else os.path.normpath(path)
    lines = (int(first), int(last)) if first else None
    return rel, lines


def choose(root, args, equivalent):
    chosen = []
    operators = set(o.strip() for o in args.operators.split(",")) if args.operators else None
    rerun = None
    if args.rerun:
        with open(args.rerun) as f:
            rerun = {r["key"] for r in json.load(f)["mutants"] if r["status"] == "survived"}
    for arg in args.files:
        rel, lines = parse_file_arg(root, arg)
        with open(os.path.join(root, rel), encoding="utf-8") as f:
            text = f.read()
        for m in mutants.find_mutants(rel, text):
            if lines and not lines[0] <= m.line <= lines[1]:
                continue
            if operators and m.operator not in operators:
                continue
            if rerun is not None and m.key not in rerun:
                continue
            chosen.append((m, text))
    if args.sample is not None:
        pool = [c for c in chosen if c[0].key not in equivalent.why]
        picked = random.Random(args.seed).sample(pool, min(args.sample, len(pool)))
        keys = {c[0].key for c in picked}
        chosen = [c for c in chosen if c[0].key in keys]
    return chosen


# -- running --------------------------------------------------------------------

class Runner:
    def __init__(self, ws, cover, tests, args):
        self.ws = ws
        self.cover = cover
        self.tests = tests
        self.args = args
        self.env = dict(os.environ)
        self.env["GTEST_FAIL_FAST"] = "1"  # stop a suite at its first failing case
        for item in (args.env if args.env is not None else ["QT_QPA_PLATFORM=offscreen"]):
            name, _, value = item.partition("=")
            self.env[name] = value
        self.baseline = {}
        self.covering_cache = {}

    def covering(self, rel):
        """The runs that judge the file: (binary, GoogleTest filter or None), fastest first."""
        if rel not in self.covering_cache:
            graph = self.cover.covering(rel)
            chosen = [(b, None) for b in graph]
            wanted = None if self.args.all_tests else self.tests.lookup(rel)
            if wanted is not None:
                by_name = {os.path.basename(b): b for b in graph}
                for name, _ in wanted:
                    if name not in by_name:
                        log(f"warning: the test map names {name} for {rel}, which does not hold its code")
                chosen = [(by_name[name], f) for name, f in wanted if name in by_name]
            chosen = [c for c in chosen if self.baseline_seconds(c) is not None]
            self.covering_cache[rel] = sorted(chosen, key=lambda c: self.baseline[c])
            log(f"{rel} is judged by " + ", ".join(run_name(c) for c in self.covering_cache[rel]))
        return self.covering_cache[rel]

    def run_binary(self, run, timeout):
        binary, gtest_filter = run
        path = os.path.join(self.ws.build, binary)
        cmd = [path] + ([f"--gtest_filter={gtest_filter}"] if gtest_filter else [])
        return workspace.run_quietly(cmd, timeout=timeout, cwd=os.path.dirname(path), env=self.env)

    def baseline_seconds(self, run):
        """How long the run takes on the unchanged code; None when it fails there."""
        if run in self.baseline:
            return self.baseline[run]
        cache_path = os.path.join(self.ws.work_dir, "baseline.json")
        cache = load_json(cache_path, {})
        digest = file_digest(os.path.join(self.ws.build, run[0]))
        name = run_name(run)
        if cache.get(name, {}).get("digest") == digest:
            self.baseline[run] = cache[name]["seconds"]
            return self.baseline[run]
        log(f"timing {name} on the unchanged code")
        start = time.monotonic()
        ok, out = self.run_binary(run, timeout=1800)
        seconds = time.monotonic() - start
        if ok is not True:
            log(f"warning: {name} fails on the unchanged code and is left out:\n" + tail(out))
            self.baseline[run] = None
            return None
        self.baseline[run] = seconds
        cache[name] = {"digest": digest, "seconds": seconds}
        save_json(cache_path, cache)
        return seconds

    def limit(self, run):
        return max(self.args.timeout_min, self.args.timeout_factor * self.baseline[run])

    def judge(self, mutant):
        """Builds and tests the mutant that is in the copy now: (status, run name, output)."""
        runs = self.covering(mutant.path)
        if not runs:
            return "survived", None, "no test binary holds this file's code"
        # Compile the file's objects and put them into their libraries; then
        # link each binary by itself when its turn comes.
        objects = self.cover.objects_for(mutant.path)
        libraries = self.cover.libraries_holding(objects, [b for b, _ in runs])
        ok, out = self.ws.ninja(objects + libraries, self.args.jobs, timeout=1800)
        if ok is not True:
            return "uncompiled", None, out
        linked = set()
        for run in runs:
            if run[0] not in linked:
                ok, out = self.ws.link(run[0], timeout=1800)
                if ok is not True:
                    return "uncompiled", run_name(run), out
                linked.add(run[0])
            ok, out = self.run_binary(run, self.limit(run))
            if ok == "timeout":
                return "timeout", run_name(run), out
            if ok is not True:
                return "killed", run_name(run), out
        return "survived", None, ""


def run_name(run):
    binary, gtest_filter = run
    return os.path.basename(binary) + (f"={gtest_filter}" if gtest_filter else "")


def file_digest(path):
    h = hashlib.sha1()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def tail(text, lines=15):
    return "\n".join(text.rstrip().splitlines()[-lines:])


def load_json(path, default):
    try:
        with open(path) as f:
            return json.load(f)
    except (FileNotFoundError, json.JSONDecodeError):
        return default


def save_json(path, data):
    tmp = path + ".part"
    with open(tmp, "w") as f:
        json.dump(data, f, indent=1, ensure_ascii=False)
    os.replace(tmp, path)


class Guard:
    """Puts each mutant into the copy and takes it out again, whatever
    happens: a first SIGINT or SIGTERM stops the run (the running build or
    test is ended, the file is restored); further signals are ignored while
    the run winds down."""

    SIGNALS = (signal.SIGINT, signal.SIGTERM, signal.SIGHUP)

    def __init__(self):
        self.signum = None
        self.active = None  # (path in the copy, original bytes)
        for s in self.SIGNALS:
            signal.signal(s, self.stop)

    def stop(self, signum, frame):
        for s in self.SIGNALS:
            signal.signal(s, signal.SIG_IGN)
        self.signum = signum
        workspace.kill_running()
        raise workspace.Interrupted()

    def put(self, path, original, mutated):
        old = signal.pthread_sigmask(signal.SIG_BLOCK, self.SIGNALS)
        try:
            self.active = (path, original)
            workspace.write_fresh(path, mutated)
        finally:
            signal.pthread_sigmask(signal.SIG_SETMASK, old)

    def restore(self):
        old = signal.pthread_sigmask(signal.SIG_BLOCK, self.SIGNALS)
        try:
            if self.active:
                workspace.write_fresh(*self.active)
                self.active = None
        finally:
            signal.pthread_sigmask(signal.SIG_SETMASK, old)


def run(args, root):
    equivalent = equivalents.load(args.equivalent or os.path.join(root, "tools", "mutate", "equivalent.txt"))
    for warning in equivalent.missing_files(root):
        log("warning: " + warning)
    chosen = choose(root, args, equivalent)
    if args.list:
        for m, _ in chosen:
            mark = "  (equivalent)" if m.key in equivalent.why else ""
            log(f"{m.path}:{m.line}  {m.operator}: {m.description}{mark}")
        log(f"{len(chosen)} mutants")
        return 0
    guard = Guard()
    ws = workspace.Workspace(root, args.work or os.path.join(root, "build-mutate"))
    results = []
    try:
        written = ws.sync()
        log(f"private copy {ws.tree}: {written} files brought up to date")
        ws.configure(args.cmake_arg if args.cmake_arg is not None else default_cmake_args(), log)
        targets = args.prepare_target or coverage.test_binaries(ws.build, args.tests, args.exclude_tests)
        log(f"building {' '.join(targets)} in {ws.build}")
        ok, out = ws.ninja(targets, args.jobs)
        if ok is not True:
            log("the unchanged code does not build:\n" + tail(out, 40))
            return 2
        tests = testmap.load(args.test_map or os.path.join(root, "tools", "mutate", "tests.txt"))
        runner = Runner(ws, coverage.Coverage(ws.build, ws.tree, args.tests, args.exclude_tests), tests, args)
        for n, (m, text) in enumerate(chosen, 1):
            results.append(run_one(runner, guard, ws, equivalent, m, text, n, len(chosen)))
    except workspace.Interrupted:
        pass
    finally:
        guard.restore()
    report(results, equivalent, chosen, args)
    if args.json:
        save_json(args.json, {"mutants": results})
    if guard.signum is not None:
        log(f"interrupted by signal {guard.signum} after {len(results)} of {len(chosen)} mutants; "
            "the copy is restored")
        return 128 + guard.signum
    return 0


def run_one(runner, guard, ws, equivalent, m, text, n, total):
    result = {"key": m.key, "path": m.path, "line": m.line, "operator": m.operator,
              "description": m.description, "diff": mutant_diff(m, text)}
    if m.key in equivalent.why:
        result["status"] = "equivalent"
        equivalent.used.add(m.key)
    else:
        original = text.encode("utf-8")
        start = time.monotonic()
        try:
            guard.put(ws.tree_path(m.path), original, mutants.apply(text, m).encode("utf-8"))
            status, binary, out = runner.judge(m)
        finally:
            guard.restore()
        result.update(status=status, by=binary,
                      seconds=round(time.monotonic() - start, 1))
        if runner.args.verbose and out:
            log(tail(out))
    by = f" ({result['by']}, {result['seconds']} s)" if result.get("by") else ""
    log(f"[{n}/{total}] {result['status']:<10} {m.path}:{m.line}  {m.description}{by}")
    return result


def mutant_diff(m, text):
    before = text.splitlines(keepends=True)
    after = mutants.apply(text, m).splitlines(keepends=True)
    lines = difflib.unified_diff(before, after, f"a/{m.path}", f"b/{m.path}", n=0)
    return "".join(line if line.endswith("\n") else line + "\n" for line in lines)


# -- reporting -----------------------------------------------------------------

def report(results, equivalent, chosen, args):
    survivors = [r for r in results if r["status"] == "survived"]
    if survivors:
        log("\nSurvivors:")
    for r in survivors:
        log(f"\n{r['path']}:{r['line']}  {r['description']}")
        log(r["diff"].rstrip())
    timeouts = [r for r in results if r["status"] == "timeout"]
    for r in timeouts:
        log(f"timed out: {r['path']}:{r['line']}  {r['description']} ({r.get('by')})")
    whole_files = not (args.sample or args.rerun or args.operators or any(re.search(r":\d+-\d+$", f)
                                                                           for f in args.files))
    if whole_files and len(results) == len(chosen):
        for key in equivalent.unused({m.path for m, _ in chosen}):
            log(f"warning: line {equivalent.origin[key]} of the equivalent list matches no mutant: {key}")
    log("")
    log(table(results))


def table(results):
    rows = {}
    for r in results:
        rows.setdefault(r["path"], {s: 0 for s in STATUSES})[r["status"]] += 1
    head = f"{'file':<40} {'sites':>5} {'killed':>6} {'surv.':>5} {'equiv.':>6} {'t/o':>4} {'n/c':>4} {'score':>6}"
    lines = [head, "-" * len(head)]
    total = {s: 0 for s in STATUSES}
    for path in sorted(rows):
        lines.append(table_row(path, rows[path]))
        for s in STATUSES:
            total[s] += rows[path][s]
    lines.append(table_row("all", total))
    lines.append("score = (killed + timed out) / (killed + timed out + survived); "
                 "equivalent and not compiled (n/c) mutants are left out")
    return "\n".join(lines)


def table_row(name, c):
    detected = sum(c[s] for s in DETECTED)
    judged = detected + c["survived"]
    score = f"{100.0 * detected / judged:5.1f}%" if judged else "    -"
    return (f"{name:<40} {sum(c.values()):>5} {c['killed']:>6} {c['survived']:>5} {c['equivalent']:>6} "
            f"{c['timeout']:>4} {c['uncompiled']:>4} {score:>6}")


def summarize(paths):
    merged = {}
    for path in paths:
        with open(path) as f:
            for r in json.load(f)["mutants"]:
                merged[r["key"]] = r
    log(table(list(merged.values())))
    return 0


def main(argv=None):
    args = parse_args(sys.argv[1:] if argv is None else argv)
    if args.summarize:
        return summarize(args.summarize)
    if not args.files:
        log("name at least one source file (see --help)")
        return 2
    return run(args, find_root(args.root))


if __name__ == "__main__":
    sys.exit(main())
