#!/usr/bin/env python3
"""Two jad builds over the same classes, their outputs compared byte for byte.

For each jar (the Debian jars by default; java.base with --javabase) every
class file is decompiled by both builds in one call per option set (the plain
command line and the viewer's), and every output file is compared. Prints,
per jar and option set, the files compared, those that differ and those only
one build wrote, with the first differing line of a few; exit status 1 when
anything differs.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

DEFAULT_JARS = ["commons-lang3", "commons-io", "commons-cli", "guava"]
OPTION_SETS = [("plain", []), ("viewer", ["-ff", "-b", "-l80"])]


def find_jar(name):
    for cand in (name, "/usr/share/java/%s.jar" % name):
        if os.path.isfile(cand):
            return cand
    return None


def extract_jar(jar, dest):
    with zipfile.ZipFile(jar) as z:
        for entry in z.namelist():
            if entry.endswith(".class") and not entry.startswith("META-INF/"):
                z.extract(entry, dest)


def extract_javabase(dest):
    javac = shutil.which("javac")
    if not javac:
        sys.exit("engine_compare: no javac on the PATH, so no JDK to take java.base from")
    home = os.environ.get("JAVA_HOME") or os.path.dirname(os.path.dirname(os.path.realpath(javac)))
    jimage = os.path.join(home, "bin", "jimage")
    subprocess.check_call([jimage, "extract", "--dir", dest, "--include", r"regex:/java\.base/.*",
                           os.path.join(home, "lib", "modules")])
    return os.path.join(dest, "java.base")


def class_files(root):
    files = []
    for base, _, names in os.walk(root):
        files += [os.path.join(base, n) for n in names if n.endswith(".class")]
    return sorted(files)


def decompile(jad, options, files, outdir):
    """Runs in batches (command lines have a length limit); the statuses."""
    os.makedirs(outdir)
    statuses = set()
    for start in range(0, len(files), 400):
        proc = subprocess.run([jad, "-o", "-r", "-d" + outdir] + options + files[start:start + 400],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        statuses.add(proc.returncode)
    return statuses


def outputs(root):
    found = {}
    for base, _, names in os.walk(root):
        for n in names:
            path = os.path.join(base, n)
            found[os.path.relpath(path, root)] = path
    return found


def first_difference(a, b):
    with open(a, "rb") as f:
        left = f.read().split(b"\n")
    with open(b, "rb") as f:
        right = f.read().split(b"\n")
    for i in range(max(len(left), len(right))):
        x = left[i] if i < len(left) else b"<end>"
        y = right[i] if i < len(right) else b"<end>"
        if x != y:
            return "line %d: %r | %r" % (i + 1, x[:60], y[:60])
    return "same lines, different bytes"


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("--jars", default=",".join(DEFAULT_JARS))
    ap.add_argument("--javabase", action="store_true", help="java.base of the JDK on the PATH besides")
    ap.add_argument("--keep", metavar="DIR", help="work in DIR and keep it")
    ap.add_argument("--details", type=int, default=5)
    ap.add_argument("extra", nargs="*", help="jad options for both builds, after --")
    args = ap.parse_args()
    builds = [os.path.abspath(args.old), os.path.abspath(args.new)]
    for jad in builds:
        if not os.access(jad, os.X_OK):
            sys.exit("engine_compare: no jad at %s" % jad)
    work = os.path.abspath(args.keep) if args.keep else tempfile.mkdtemp(prefix="engine-compare-")
    if args.keep:
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
    differing = 0
    try:
        inputs = []
        for name in args.jars.split(",") if args.jars else []:
            jar = find_jar(name)
            if jar is None:
                print("engine_compare: no jar %s, skipped" % name, file=sys.stderr)
                continue
            classes = os.path.join(work, name, "classes")
            extract_jar(jar, classes)
            inputs.append((name, classes))
        if args.javabase:
            inputs.append(("java.base", extract_javabase(os.path.join(work, "image"))))
        print("%-14s %-7s %8s %8s %8s  %s" % ("input", "options", "files", "differ", "one-side", "exit statuses"))
        for name, classes in inputs:
            files = class_files(classes)
            for label, options in OPTION_SETS:
                roots = []
                statuses = []
                for k, jad in enumerate(builds):
                    out = os.path.join(work, name, "%s-%d" % (label, k))
                    statuses.append(sorted(decompile(jad, options + args.extra, files, out)))
                    roots.append(outputs(out))
                old, new = roots
                common = sorted(set(old) & set(new))
                one_side = sorted(set(old) ^ set(new))
                changed = []
                for rel in common:
                    with open(old[rel], "rb") as f, open(new[rel], "rb") as g:
                        if f.read() != g.read():
                            changed.append(rel)
                differing += len(changed) + len(one_side)
                print("%-14s %-7s %8d %8d %8d  %s / %s" % (name, label, len(common), len(changed), len(one_side),
                                                          statuses[0], statuses[1]))
                for rel in changed[:args.details]:
                    print("    %s: %s" % (rel, first_difference(old[rel], new[rel])))
                for rel in one_side[:args.details]:
                    print("    only in %s: %s" % ("old" if rel in old else "new", rel))
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
    print("%d files differ" % differing)
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
