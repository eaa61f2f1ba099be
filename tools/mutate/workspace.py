"""The private copy of the source tree and its build directory.

Mutants are only ever written into the copy, so the work tree itself never
changes. The copy is brought up to date with the work tree at the start of a
run: a file whose content differs is rewritten with the current time as its
modification time, so that ninja rebuilds it even when the copy still held a
mutant from an interrupted run.
"""

import os
import shutil
import signal
import subprocess


def tree_files(root, skip):
    """Relative paths of the work tree's files: git's tracked and untracked
    files outside .gitignore, or every file when root is not a git checkout."""
    if git_toplevel(root) == os.path.realpath(root):
        out = subprocess.run(["git", "-C", root, "ls-files", "-z", "-co", "--exclude-standard"],
                             check=True, capture_output=True).stdout
        names = [n for n in out.decode("utf-8", "surrogateescape").split("\0") if n]
    else:  # not a checkout of its own (a folder inside one is no checkout either)
        names = []
        for dirpath, dirnames, filenames in os.walk(root):
            dirnames[:] = [d for d in dirnames
                           if d != ".git" and os.path.join(dirpath, d) not in skip]
            names += [os.path.relpath(os.path.join(dirpath, f), root) for f in filenames]
    skip_rel = [os.path.relpath(s, root) + os.sep for s in skip]
    return sorted(n for n in names
                  if os.path.isfile(os.path.join(root, n))
                  and not any((n + os.sep).startswith(s) for s in skip_rel))


def git_toplevel(root):
    try:
        out = subprocess.run(["git", "-C", root, "rev-parse", "--show-toplevel"], check=True,
                             capture_output=True, text=True).stdout.strip()
        return os.path.realpath(out)
    except (subprocess.CalledProcessError, FileNotFoundError):
        return None


def write_fresh(path, data):
    """Writes data and gives the file a modification time later than any
    output built from an earlier content."""
    with open(path, "wb") as f:
        f.write(data)
    os.utime(path, None)


class Workspace:
    def __init__(self, root, work_dir):
        self.root = os.path.abspath(root)
        self.work_dir = os.path.abspath(work_dir)
        self.tree = os.path.join(self.work_dir, "tree")
        self.build = os.path.join(self.work_dir, "build")
        self._link_commands = {}

    def sync(self):
        """Makes the copy hold exactly the work tree's files. Returns how many
        files were written."""
        names = tree_files(self.root, [self.work_dir])
        wanted = set(names)
        written = 0
        for name in names:
            src = os.path.join(self.root, name)
            dst = os.path.join(self.tree, name)
            with open(src, "rb") as f:
                data = f.read()
            try:
                with open(dst, "rb") as f:
                    if f.read() == data:
                        continue
            except FileNotFoundError:
                os.makedirs(os.path.dirname(dst), exist_ok=True)
            write_fresh(dst, data)
            shutil.copymode(src, dst)
            written += 1
        for dirpath, _, filenames in os.walk(self.tree):
            for f in filenames:
                rel = os.path.relpath(os.path.join(dirpath, f), self.tree)
                if rel not in wanted:
                    os.remove(os.path.join(dirpath, f))
        return written

    def configure(self, cmake_args, log):
        if os.path.exists(os.path.join(self.build, "build.ninja")):
            return
        cmd = ["cmake", "-S", self.tree, "-B", self.build, "-G", "Ninja"] + cmake_args
        log("configuring the private build: " + " ".join(cmd))
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)

    def ninja(self, targets, jobs, timeout=None):
        """Builds targets; returns (ok, output)."""
        cmd = ["ninja", "-C", self.build, "-j", str(jobs)] + list(targets)
        return run_quietly(cmd, timeout=timeout)

    def link(self, target, timeout=None):
        """Links one target by its own command only. Building it through ninja
        would first bring its other dependencies up to date, and a program the
        build runs to make test data (a skin generator, a database builder)
        would be linked with the mutant and run again."""
        if target not in self._link_commands:
            out = subprocess.run(["ninja", "-C", self.build, "-t", "commands", "-s", target],
                                 check=True, capture_output=True, text=True).stdout
            self._link_commands[target] = out.strip().splitlines()[-1]
        return run_quietly(["sh", "-c", self._link_commands[target]], timeout=timeout, cwd=self.build)

    def tree_path(self, rel):
        return os.path.join(self.tree, rel)


class Interrupted(Exception):
    """A signal asked the run to stop."""


_current = []  # the child process group running now, for the signal handler


def run_quietly(cmd, timeout=None, cwd=None, env=None):
    """Runs cmd in a process group of its own. Returns (status, output) where
    status is True, False, or "timeout"; on a timeout the whole group is
    killed, so a hung test leaves nothing behind."""
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, start_new_session=True)
    _current.append(proc)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode == 0, out.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        kill_group(proc)
        out, _ = proc.communicate()
        return "timeout", out.decode("utf-8", "replace")
    finally:
        if proc.poll() is None:
            kill_group(proc)
            proc.wait()
        _current.remove(proc)


def kill_group(proc):
    """Ends the process group: politely first, so that ninja removes the
    outputs it had begun, then for certain."""
    for sig, wait in ((signal.SIGTERM, 3), (signal.SIGKILL, None)):
        try:
            os.killpg(proc.pid, sig)
        except ProcessLookupError:
            return
        try:
            proc.wait(timeout=wait)
            return
        except subprocess.TimeoutExpired:
            continue


def kill_running():
    for proc in list(_current):
        kill_group(proc)
