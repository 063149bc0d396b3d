#!/usr/bin/env python3
"""jad on whole archives, and the start-up latency of one class.

For each jar (guava by default): `jad -o -r -d<dir> <jar>` as one call, run
several times (median wall time, and user+sys time of the process); its exit
status; whether every top-level class of the jar got its file; and each
output parsed with `zefra-outline` (outputs of classes with a member whose
own name breaks the classic dialect are counted apart, as the viewer reports
those itself).

Then the latency a viewer user waits for: the median wall time of one jad
process on one class file, as the viewer starts it, over many runs.
"""

import argparse
import concurrent.futures
import os
import re
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import engine_classfile as cf  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DIALECT_WORDS = {"cast", "const", "future", "generic", "goto", "inner", "operator", "outer", "rest", "var"}
IDENT = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")
VIEWER_OPTIONS = ["-ff", "-b", "-l80", "-o", "-sjava"]


def find_jar(name):
    for cand in (name, "/usr/share/java/%s.jar" % name):
        if os.path.isfile(cand):
            return cand
    return None


def timed(cmd):
    """(exit status, wall seconds, user+sys seconds) of one process."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    proc = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return proc.returncode, wall, cpu, proc.stderr.decode("utf-8", "replace")


def jar_classes(jar):
    """{internal name: ClassInfo} of the jar's own class entries."""
    infos = {}
    with zipfile.ZipFile(jar) as z:
        for entry in z.namelist():
            if entry.endswith(".class") and not entry.startswith("META-INF/"):
                try:
                    infos[entry[:-6]] = cf.parse(z.read(entry))
                except cf.ClassFormat:
                    pass
    return infos


def breaks_dialect(internal, infos):
    """Whether the class or one of its nested classes has a member whose own
    name the classic dialect cannot print."""
    for name, info in infos.items():
        if name == internal or name.startswith(internal + "$"):
            for member in info.fields + info.methods:
                if member.name not in ("<init>", "<clinit>") and \
                        (not IDENT.match(member.name) or member.name in DIALECT_WORDS):
                    return True
    return False


def bench_jar(jar, args, work):
    infos = jar_classes(jar)
    tops = sorted(n for n, i in infos.items() if not i.is_nested)
    outdir = os.path.join(work, "out")
    cmd = [args.jad, "-o", "-r", "-d" + outdir] + (["-j%d" % args.threads] if args.threads else []) + [jar]
    walls, cpus, statuses, errors = [], [], set(), ""
    for _ in range(args.runs):
        shutil.rmtree(outdir, ignore_errors=True)
        status, wall, cpu, err = timed(cmd)
        statuses.add(status)
        walls.append(wall)
        cpus.append(cpu)
        errors = err
    missing = [t for t in tops if not os.path.isfile(os.path.join(outdir, t + ".java"))]
    written = sum(len(files) for _, _, files in os.walk(outdir))
    print("%s: %d classes, %d top-level; %d files written, %d missing; exit %s" %
          (os.path.basename(jar), len(infos), len(tops), written, len(missing), sorted(statuses)))
    print("  whole jar: median %.3f s wall (min %.3f), user+sys %.3f s, over %d runs" %
          (statistics.median(walls), min(walls), statistics.median(cpus), args.runs))
    for line in errors.splitlines()[:5]:
        print("  stderr: " + line)
    for name in missing[:5]:
        print("  missing: " + name)
    if not args.outline:
        return

    def parse(internal):
        path = os.path.join(outdir, internal + ".java")
        if not os.path.isfile(path):
            return internal, True
        proc = subprocess.run([args.outline, path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return internal, proc.returncode == 0

    failed = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for internal, ok in pool.map(parse, tops):
            if not ok:
                failed.append(internal)
    dialect = [f for f in failed if breaks_dialect(f, infos)]
    other = [f for f in failed if f not in dialect]
    print("  zefra-outline: %d of %d parse; %d fail where a member's own name breaks the dialect, %d otherwise" %
          (len(tops) - len(failed), len(tops), len(dialect), len(other)))
    for name in other[:5]:
        print("  parse failure: " + name)


def latency(args, jar, work):
    """Median wall time of one jad process on one class, over many runs."""
    with zipfile.ZipFile(jar) as z:
        names = sorted(n for n in z.namelist() if n.endswith(".class") and "$" not in n
                       and not n.startswith("META-INF/"))
        picked = [names[len(names) * k // 4] for k in range(4)]
        for name in picked:
            z.extract(name, os.path.join(work, "single"))
    outdir = os.path.join(work, "single-out")
    for name in picked:
        path = os.path.join(work, "single", name)
        walls, cpus = [], []
        for _ in range(args.latency_runs):
            _, wall, cpu, _ = timed([args.jad] + VIEWER_OPTIONS + ["-d" + outdir, path])
            walls.append(wall * 1000)
            cpus.append(cpu * 1000)
        walls.sort()
        print("  one class %-60s median %.2f ms (p10 %.2f), user+sys %.2f ms" %
              (name, statistics.median(walls), walls[len(walls) // 10], statistics.mean(cpus)))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.path.join(REPO, "build"))
    ap.add_argument("--jars", default="guava", help="jar names or paths (default: %(default)s)")
    ap.add_argument("--runs", type=int, default=5, help="whole-jar runs (default %(default)s)")
    ap.add_argument("--threads", type=int, default=0, help="jad -j<n> (default: jad's own, one per core)")
    ap.add_argument("--latency-runs", type=int, default=200, help="runs per class for the latency (0: skip)")
    ap.add_argument("--no-outline", action="store_true")
    ap.add_argument("--jobs", type=int, default=2, help="parallel zefra-outline processes")
    args = ap.parse_args()
    args.jad = os.path.join(args.build, "jad", "jad")
    outline = os.path.join(args.build, "zefra-outline")
    args.outline = None if args.no_outline or not os.access(outline, os.X_OK) else outline
    tmp = "/dev/shm" if os.path.isdir("/dev/shm") else None
    for name in args.jars.split(","):
        jar = find_jar(name)
        if not jar:
            print("%s: not found" % name)
            continue
        work = tempfile.mkdtemp(prefix="jad-archive-", dir=tmp)
        try:
            bench_jar(jar, args, work)
            if args.latency_runs:
                latency(args, jar, work)
        finally:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
