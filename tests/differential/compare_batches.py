#!/usr/bin/env python3
"""Runs generated tool folders through the native t482-batch and through the
Windows t482-batch.exe (one process each, all folders) and compares, folder
by folder, the printed line and both files byte for byte.

    compare_batches.py --native t482-batch --windows t482-batch.exe
                       --emulator scripts/wine-run.sh --work DIR
                       [--count N] [--seed S]

A difference names the folder and the first line that differs. Some folders
are also run one by one natively, to show that a run among many equals a run
of its own.
"""
import argparse
import collections
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_folders  # noqa: E402

FILES = ("JWC_TEMP.TXT", "t207.dat")
SINGLE_EVERY = 40


def copy_tree(src, dst, names):
    for name in names:
        shutil.copytree(os.path.join(src, name), os.path.join(dst, name))


def run_list(command, folders, list_path, list_arg, limit):
    with open(list_path, "w", newline="\n") as f:
        f.write("".join(folder + "\n" for folder in folders))
    done = subprocess.run(command + ["--list", list_arg],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=limit)
    return done.returncode, done.stdout.decode("utf-8", "replace").split("\n")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def first_difference(a, b):
    """(line number, line of a, line of b) of the first line that differs."""
    la, lb = a.split(b"\n"), b.split(b"\n")
    for i in range(max(len(la), len(lb))):
        x = la[i] if i < len(la) else b"<none>"
        y = lb[i] if i < len(lb) else b"<none>"
        if x != y:
            return i + 1, x, y
    return 0, b"", b""


def read_files(folder):
    out = {}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            out[name] = f.read()
    return out


def compare_folder(name, line_a, line_b, dir_a, dir_b, what_a, what_b):
    """Failure texts for one folder (empty when it agrees)."""
    failures = []
    if line_a != line_b:
        failures.append("%s: printed line: %s %r, %s %r"
                        % (name, what_a, line_a, what_b, line_b))
    files_a, files_b = read_files(dir_a), read_files(dir_b)
    if sorted(files_a) != sorted(files_b):
        failures.append("%s: files: %s %s, %s %s"
                        % (name, what_a, sorted(files_a), what_b,
                           sorted(files_b)))
    for file_name in sorted(set(files_a) & set(files_b)):
        if files_a[file_name] != files_b[file_name]:
            number, x, y = first_difference(files_a[file_name],
                                            files_b[file_name])
            failures.append("%s: %s line %d: %s %r, %s %r"
                            % (name, file_name, number, what_a, x, what_b, y))
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--native", required=True)
    parser.add_argument("--windows", required=True)
    parser.add_argument("--emulator", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=482)
    args = parser.parse_args()
    for program in (args.native, args.windows):
        if not os.path.isfile(program):
            print("FAILED: %s is missing (build it first)" % program)
            return 1

    started = time.monotonic()
    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    source = os.path.join(work, "generated")
    os.makedirs(source)
    names = gen_folders.generate(source, args.count, args.seed)
    dirs = {}
    for what in ("native", "windows", "single"):
        dirs[what] = os.path.join(work, what)
        os.makedirs(dirs[what])
        copy_tree(source, dirs[what], names if what != "single"
                  else names[::SINGLE_EVERY])
    generated = time.monotonic()

    native_list = os.path.join(work, "native.list")
    rc_native, lines_native = run_list(
        [args.native], [os.path.join(dirs["native"], n) for n in names],
        native_list, native_list, 600)
    native_done = time.monotonic()
    windows_list = os.path.join(work, "windows.list")
    rc_windows, lines_windows = run_list(
        [args.emulator, args.windows],
        [windows_path(os.path.join(dirs["windows"], n)) for n in names],
        windows_list, windows_path(windows_list), 1200)
    windows_done = time.monotonic()

    failures = []
    if rc_native != rc_windows:
        failures.append("exit codes: native %d, windows %d"
                        % (rc_native, rc_windows))
    for what, lines, rc in (("native", lines_native, rc_native),
                            ("windows", lines_windows, rc_windows)):
        if len(lines) != len(names) + 1 or lines[-1] != "":
            failures.append("%s printed %d lines for %d folders (exit %d)"
                            % (what, len(lines) - 1, len(names), rc))
    if not failures:
        for i, name in enumerate(names):
            failures += compare_folder(name, lines_native[i], lines_windows[i],
                                       os.path.join(dirs["native"], name),
                                       os.path.join(dirs["windows"], name),
                                       "native", "windows")
        # A run among many is a run of its own.
        for i in range(0, len(names), SINGLE_EVERY):
            name = names[i]
            folder = os.path.join(dirs["single"], name)
            done = subprocess.run([args.native, folder], stdout=subprocess.PIPE,
                                  timeout=60)
            line = done.stdout.decode("utf-8", "replace").rstrip("\n")
            expected_rc = 0 if line == "drawn" else 1
            if done.returncode != expected_rc:
                failures.append("%s: alone: exit %d for %r"
                                % (name, done.returncode, line))
            failures += compare_folder(name, lines_native[i], line,
                                       os.path.join(dirs["native"], name),
                                       folder, "among many", "alone")

    outcomes = collections.Counter(
        line.split(" ")[0] for line in lines_native[:len(names)])
    print("%d folders (seed %d): %s" % (
        len(names), args.seed,
        ", ".join("%s %d" % kv for kv in sorted(outcomes.items()))))
    print("time: generate %.1f s, native %.1f s, windows %.1f s, total %.1f s"
          % (generated - started, native_done - generated,
             windows_done - native_done, time.monotonic() - started))
    if failures:
        for failure in failures[:20]:
            print("DIFFERS " + failure)
        print("FAILED: %d differences" % len(failures))
        return 1
    print("all %d folders agree" % len(names))
    return 0


if __name__ == "__main__":
    sys.exit(main())
