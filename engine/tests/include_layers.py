#!/usr/bin/env python3
"""The engine's folders are layers, each seeing only those below it:

    classfile -> print -> body -> decl -> cli, with archive below cli alone.

Scans the #include "folder/..." lines of src/<folder>/*.h and *.cpp and fails
on any that points up or sideways, or at a folder not in the order."""
import argparse
import os
import re
import sys

ORDER = ["classfile", "print", "body", "decl", "cli"]
# Folders beside the order: who may include them, and what they may include.
SIDE = {"archive": {"users": {"cli"}, "sees": set()}}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]*"')


def allowed(source, target):
    if source == target:
        return True
    if source in SIDE:
        return target in SIDE[source]["sees"]
    if target in SIDE:
        return source in SIDE[target]["users"]
    if source not in ORDER or target not in ORDER:
        return False
    return ORDER.index(target) < ORDER.index(source)


def violations(src):
    found = []
    for folder in sorted(os.listdir(src)):
        path = os.path.join(src, folder)
        if not os.path.isdir(path):
            continue
        if folder not in ORDER and folder not in SIDE:
            found.append("%s/: a folder the layer order does not place" % folder)
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m and not allowed(folder, m.group(1)):
                        found.append("%s/%s:%d: %s includes %s" % (folder, name, number, folder, line.strip()))
    return found


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("src", nargs="?", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src"),
                    help="the engine's source folder (default: ../src beside this script)")
    args = ap.parse_args()
    found = violations(args.src)
    for v in found:
        print(v, file=sys.stderr)
    if found:
        print("include_layers: %d include(s) against %s (archive below cli)" % (len(found), " -> ".join(ORDER)),
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
