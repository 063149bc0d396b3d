#!/usr/bin/env python3
"""The modern view over real jars: every class of each jar decompiled with
`jad -m` (the viewer's options), each top-level class's output parsed with
`zefra-outline --modern --records`, and the tree it gives compared with what
the class file declares, as bench/engine_jars.py does for the classic view.

Prints, per jar: outputs parsed, trees that agree, and the first problems.
Needs an engine that knows -m in the build tree.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import engine_classfile as cf  # noqa: E402
import engine_jars as ej  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def check_jar(jar, jad, outline, work, shown):
    classdir = os.path.join(work, "classes")
    outdir = os.path.join(work, "out")
    os.makedirs(outdir)
    entries = ej.extract(jar, classdir)
    infos = {}
    for entry in entries:
        with open(os.path.join(classdir, entry), "rb") as f:
            try:
                infos[entry[:-6]] = cf.parse(f.read())
            except cf.ClassFormat:
                pass
    files = [os.path.join(classdir, e) for e in entries]
    for start in range(0, len(files), 200):
        subprocess.run([jad] + ej.VIEWER_OPTIONS + ["-m", "-r", "-d" + outdir] + files[start:start + 200],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
    tops = [i for i, info in sorted(infos.items())
            if not info.is_nested and i.rsplit("/", 1)[-1] not in ("module-info", "package-info")]
    parsed = agreed = 0
    problems_shown = []
    for internal in tops:
        path = os.path.join(outdir, internal + ".java")
        if not os.path.isfile(path):
            problems_shown.append("%s: no output" % internal)
            continue
        proc = subprocess.run([outline, "--modern", "--records", path], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=60)
        if proc.returncode != 0:
            problems_shown.append("%s: %s" % (internal, proc.stderr.decode("utf-8", "replace").strip()[-160:]))
            continue
        parsed += 1
        roots = ej.build_tree(ej.parse_records(proc.stdout.decode("utf-8", "replace")) or [])
        info = infos[internal]
        problems = []
        if len(roots) != 1 or roots[0].name != info.simple_name:
            problems.append("%s: top-level classes %s" % (internal, [r.name for r in roots]))
        else:
            ej.compare_tree(roots[0], info, infos, problems, internal.rsplit("/", 1)[-1])
        if problems:
            problems_shown.append("; ".join(problems))
        else:
            agreed += 1
    print("%-16s top-level %4d  parse %4d  tree agrees %4d" % (os.path.basename(jar), len(tops), parsed, agreed))
    for problem in problems_shown[:shown]:
        print("    " + problem[:200])


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.path.join(REPO, "build"), help="build tree (default: %(default)s)")
    ap.add_argument("--jars", default=",".join(ej.DEFAULT_JARS), help="jar names or paths (default: %(default)s)")
    ap.add_argument("--shown", type=int, default=5, help="problems shown per jar (default: %(default)s)")
    args = ap.parse_args()
    jad = os.path.join(args.build, "jad", "jad")
    outline = os.path.join(args.build, "zefra-outline")
    for program in (jad, outline):
        if not os.path.isfile(program):
            sys.exit("%s not found; build it first" % program)
    work = tempfile.mkdtemp(prefix="zefra-modern-", dir="/dev/shm" if os.path.isdir("/dev/shm") else None)
    try:
        for name in args.jars.split(","):
            jar = ej.find_jar(name)
            if jar is None:
                print("%s: not found" % name)
                continue
            base = os.path.join(work, os.path.basename(jar))
            os.makedirs(base)
            check_jar(jar, jad, outline, base, args.shown)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
