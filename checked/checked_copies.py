#!/usr/bin/env python3
"""Checks, from a GNU ld link map, that no function of the checked build
runs as an unchecked copy.

A checked test program links the unchecked test objects of the plain build
with the checked libraries. An inline or template function that both
define (std::vector<T>::_M_realloc_insert, a class's inline destructor) is
linked once, from the first object that has it; the copies of the others
are discarded. This fails when such a function was kept from an object
outside the checked libraries while a checked copy was discarded: the code
under test then calls the copy without the checks.

    checked_copies.py --checked LIB.a... --maps PROGRAM.map...

Archive paths in a map are as the linker was given them, relative to the
folder it ran in (the map's folder).
"""
import argparse
import os
import re
import sys

# " .text$NAME" and its "0xADDRESS 0xSIZE FILE" line; the two share a line
# when the name is short.
SECTION = re.compile(r"^ (\.text\$\S+)(?:\s+0x[0-9a-f]+\s+0x[0-9a-f]+\s+(\S.*))?$")
PLACE = re.compile(r"^\s+0x[0-9a-f]+\s+0x[0-9a-f]+\s+(\S.*)$")


def function_sections(lines):
    """Yields (section, file) for every function section in lines."""
    pending = None
    for line in lines:
        if pending:
            place = PLACE.match(line)
            if place:
                yield pending, place.group(1)
            pending = None
            continue
        section = SECTION.match(line)
        if section:
            if section.group(2):
                yield section.group(1), section.group(2)
            else:
                pending = section.group(1)


def archive(member, folder):
    """The archive of "lib.a(member.obj)", as an absolute path."""
    match = re.match(r"^(.*)\([^()]*\)$", member)
    if not match:
        return None
    return os.path.normpath(os.path.join(folder, match.group(1)))


def lost_checks(map_path, checked):
    folder = os.path.dirname(os.path.abspath(map_path))
    with open(map_path, errors="replace") as f:
        lines = f.read().split("\n")
    try:
        discarded_at = lines.index("Discarded input sections")
        memory_map_at = lines.index("Linker script and memory map")
    except ValueError:
        sys.exit(f"{map_path}: not a GNU ld link map")
    checked_copies = set()
    for section, member in function_sections(lines[discarded_at:memory_map_at]):
        if archive(member, folder) in checked:
            checked_copies.add(section)
    lost = []
    kept = 0
    for section, member in function_sections(lines[memory_map_at:]):
        kept += 1
        if section in checked_copies and archive(member, folder) not in checked:
            lost.append((section[len(".text$"):], member))
    return kept, lost


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--checked", nargs="+", required=True)
    parser.add_argument("--maps", nargs="+", required=True)
    args = parser.parse_args()
    checked = {os.path.normpath(os.path.abspath(lib)) for lib in args.checked}
    failed = False
    for map_path in args.maps:
        kept, lost = lost_checks(map_path, checked)
        print(f"{os.path.basename(map_path)}: {kept} function sections kept, "
              f"{len(lost)} of them unchecked copies of checked ones")
        for name, member in lost:
            print(f"  {name}  (kept from {member})")
        failed = failed or bool(lost)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
