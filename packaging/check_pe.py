#!/usr/bin/env python3
"""Checks what a Windows program asks of the system that runs it.

    check_pe.py [--x64] OBJDUMP PROGRAM.exe ALLOWLIST...

The program must be a 32-bit x86 program (PE32, Intel 80386), or with --x64
a 64-bit one (PE32+, x86-64), for Windows 7 and later: subsystem version
6.1 or lower, no time stamp in its header (a build is reproducible), and
imports from Windows' own DLLs only, each function named in one of the
ALLOWLISTs ("DLL function" a line, '#' starts a comment).
A function outside the list fails the check, so that a new import is a
deliberate decision: add it to the list only after checking that Windows 7
has it. Prints the imported DLLs; exit 0 when all holds, 1 otherwise.
"""
import os
import re
import subprocess
import sys

# DLLs that every Windows from 7 on has in its system folder.
SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "IMM32.DLL",
               "MSVCRT.DLL"}
# Windows 7 is NT 6.1.
MAX_SUBSYSTEM = (6, 1)
# objdump's name of each format, and ours.
FORMATS = {False: ("pei-i386", "a 32-bit x86 program"),
           True: ("pei-x86-64", "a 64-bit x86-64 program")}


def read_allowlist(path):
    allowed = set()
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                dll, function = line.split()
                allowed.add((dll.upper(), function))
    return allowed


def parse_objdump(text):
    """Format, header fields and the (DLL, function) imports."""
    fmt = re.search(r"file format (\S+)", text)
    fields = dict(re.findall(r"^(\w+)\s+([0-9A-Fa-f]+)\s*$", text, re.M))
    imports = []
    dll = None
    in_table = False
    for line in text.splitlines():
        name = re.match(r"\s*DLL Name: (\S+)", line)
        if name:
            dll = name.group(1).upper()
            in_table = False
            continue
        if dll and re.match(r"\s*vma:\s+Hint", line):
            in_table = True
            continue
        if in_table:
            entry = re.match(r"\s*[0-9a-f]+\s+[0-9a-f]+\s+(\S+)\s*$", line)
            if entry:
                imports.append((dll, entry.group(1)))
            elif not line.strip():
                in_table = False
    return fmt.group(1) if fmt else "", fields, imports


def main():
    args = sys.argv[1:]
    x64 = args[:1] == ["--x64"]
    if x64:
        args = args[1:]
    if len(args) < 3:
        sys.exit(__doc__)
    objdump, program, allowlists = args[0], args[1], args[2:]
    # objdump's own words are read below: not translated.
    env = dict(os.environ, LC_ALL="C", LANGUAGE="C")
    text = subprocess.run([objdump, "-p", program], check=True, env=env,
                          capture_output=True, text=True).stdout
    fmt, fields, imports = parse_objdump(text)
    problems = []
    expected, kind = FORMATS[x64]
    if fmt != expected:
        problems.append("not %s (format %r)" % (kind, fmt))
    subsystem = (int(fields.get("MajorSubsystemVersion", "99"), 16),
                 int(fields.get("MinorSubsystemVersion", "99"), 16))
    if subsystem > MAX_SUBSYSTEM:
        problems.append("subsystem version %d.%d is above 6.1" % subsystem)
    stamp = re.search(r"^Time/Date\s+(.*\S)", text, re.M)
    if not stamp or stamp.group(1) != "Thu Jan  1 00:00:00 1970":
        problems.append("the header has a time stamp (%s)"
                        % (stamp.group(1) if stamp else "none found"))
    if not imports:
        problems.append("no imports found (objdump's format changed?)")
    allowed = set().union(*map(read_allowlist, allowlists))
    dlls = sorted({dll for dll, _ in imports})
    for dll in dlls:
        if dll not in SYSTEM_DLLS:
            problems.append("imports %s, which is not a system DLL" % dll)
    for dll, function in sorted(set(imports) - allowed):
        problems.append("imports %s from %s, which is not in %s"
                        % (function, dll, " or ".join(allowlists)))
    print("%s: %s, subsystem %d.%d, %d functions from %s"
          % (program, fmt, subsystem[0], subsystem[1], len(imports),
             " ".join(dlls)))
    for problem in problems:
        print("check_pe: " + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
