#!/usr/bin/env python3
"""The engine's folders are layers, each seeing only those below it:

    classfile -> print -> body stages -> decl stages -> cli, with archive below cli alone.

The method-body decompiler and the declaration printer are folders of
stages (body/ir ... body/pipeline, decl/parts ... decl/unit), in the order
below. Scans the #include "folder/..." lines of every .h and .cpp and fails on
any that points up or sideways, at a folder not in the order, or on a folder
over the size a reader takes in at once."""
import argparse
import os
import re
import sys

ORDER = ["classfile", "print",
         "body/ir", "body/decode", "body/flow", "body/types", "body/generics", "body/typing", "body/structure",
         "body/synthetic", "body/sugar", "body/printer", "body/classes", "body/pipeline",
         "decl/parts", "decl/members", "decl/unit",
         "cli"]
# Folders beside the order: who may include them, and what they may include.
SIDE = {"archive": {"users": {"cli"}, "sees": set()}}
# Folders of stages: their files lie one level further down.
STAGED = {"body", "decl"}
MAX_SOURCES, MAX_LINES = 15, 2500

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(relative):
    parts = relative.replace(os.sep, "/").split("/")
    if parts[0] in STAGED:
        return "/".join(parts[:2]) if len(parts) > 2 else parts[0]
    return parts[0]


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


def sources_by_folder(src):
    folders = {}
    for dirpath, _, names in os.walk(src):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                relative = os.path.relpath(os.path.join(dirpath, name), src)
                if os.sep in relative or "/" in relative:
                    folders.setdefault(os.path.dirname(relative), []).append(relative)
    return folders


def include_violations(src, folders):
    found = []
    for folder in sorted(folders):
        source = layer_of(folders[folder][0])
        if source not in ORDER and source not in SIDE:
            found.append("%s/: a folder the layer order does not place" % folder)
            continue
        for relative in folders[folder]:
            with open(os.path.join(src, relative), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m and "/" in m.group(1) and not allowed(source, layer_of(m.group(1))):
                        found.append("%s:%d: %s includes %s" % (relative, number, source, line.strip()))
    return found


def size_violations(src, folders):
    found = []
    for folder in sorted(folders):
        sources = [r for r in folders[folder] if r.endswith(".cpp")]
        lines = 0
        for relative in folders[folder]:
            with open(os.path.join(src, relative), encoding="utf-8", errors="replace") as f:
                lines += sum(1 for _ in f)
        if len(sources) > MAX_SOURCES or lines > MAX_LINES:
            found.append("%s/: %d .cpp files, %d lines (at most %d and %d)" %
                         (folder, len(sources), lines, MAX_SOURCES, MAX_LINES))
    return found


def violations(src):
    folders = sources_by_folder(src)
    return include_violations(src, folders) + size_violations(src, folders)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("src", nargs="?", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src"),
                    help="the engine's source folder (default: ../src beside this script)")
    args = ap.parse_args()
    found = violations(args.src)
    for v in found:
        print(v, file=sys.stderr)
    if found:
        print("include_layers: %d fault(s) against %s (archive below cli)" % (len(found), " -> ".join(ORDER)),
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
