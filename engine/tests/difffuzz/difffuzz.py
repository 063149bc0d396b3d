#!/usr/bin/env python3
"""Differential fuzzing of the engine with generated programs.

Each seed's program (gen.py) is compiled three ways (release 8 with and
without debug info, release 17), every class file of it is decompiled with
jad, the top-level output is compiled again and run, and its output must
equal the original's. javac, jad and java each take many programs per call,
since starting them costs more than the work.

Failures are classified as
  jad-crash    jad killed by a signal
  jad-exit     jad exit status not 0, or no output written
  jad-hang     jad over its time limit
  recompile    javac rejects the output
  wrong-output the decompiled program prints something else or ends otherwise
  timeout      the decompiled program does not end
  fallback     it runs differently because a method was left undecompiled
               (its body throws), which is honest but still a miss
and, not counted against the engine, "generator": the original itself does
not compile or does not end.

With --reduce each failing program is cut down (reduce.py) to a small case
that fails the same way, written to --reduced-dir as a corpus-ready program.
"""

import argparse
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.dirname(HERE))

import gen  # noqa: E402
import roundtrip  # noqa: E402

# The classic dialect's three compilations unless --modes names others; a
# modern mode (m8, m17...) decompiles with -m, and the programs then use the
# modern constructs (gen.py's level). Assertions are enabled in every run.
MODES = roundtrip.MODES
DEFAULT_MODES = ["r8g", "r8", "r17"]
KINDS = ["jad-crash", "jad-exit", "jad-hang", "recompile", "wrong-output", "timeout", "fallback"]

# What the engine prints in a method it could not structure.
FALLBACK_MARK = b'throw new RuntimeException("not decompiled'


RUN_LIMIT_MS = 10000     # one program inside the harness
JAD_TIMEOUT = 60         # one jad process (many programs)
HARNESS_TIMEOUT = 600    # one harness process


def parse_seeds(text):
    seeds = []
    for part in text.split(","):
        part = part.strip()
        if not part:
            continue
        if "-" in part[1:]:
            lo, hi = part.split("-", 1)
            seeds.extend(range(int(lo), int(hi) + 1))
        else:
            seeds.append(int(part))
    return seeds


def chunks(seq, n):
    for i in range(0, len(seq), n):
        yield seq[i:i + n]


class Harness:
    """Runs programs through DiffFuzzHarness, many per JVM."""

    def __init__(self, work):
        self.dir = os.path.join(work, "harness")
        os.makedirs(self.dir, exist_ok=True)
        src = os.path.join(HERE, "DiffFuzzHarness.java")
        rc, out, err = roundtrip.run(["javac", "-nowarn", "--release", "8", "-d", self.dir, src], 120)
        if rc != 0:
            sys.exit("difffuzz: the harness does not compile: " + roundtrip.first_line(out + err))

    def run(self, classdir, names, jdk=""):
        """{name: (status, output bytes)} for every name; jdk is the bin
        directory prefix of the java to run (empty: the one on the PATH)."""
        results = {}
        pending = list(names)
        while pending:
            cp = classdir + os.pathsep + self.dir
            rc, out, err = roundtrip.run([jdk + "java", "-Xshare:auto", "-Xss4m", "-ea", "-cp", cp, "DiffFuzzHarness",
                                          str(RUN_LIMIT_MS)] + pending, HARNESS_TIMEOUT)
            got = parse_harness(out)
            results.update(got)
            rest = [n for n in pending if n not in results]
            if rest == pending:
                # The JVM died before the first program said anything.
                why = "harness exit %s: %s" % (rc, roundtrip.first_line(err))
                results[rest[0]] = ("error:" + why, b"")
                rest = rest[1:]
            pending = rest
        return results


HEADER = re.compile(rb"@@@ (\S+) (\S+) (\d+)\n")


def parse_harness(data):
    results = {}
    pos = 0
    while True:
        m = HEADER.match(data, pos)
        if not m:
            break
        n = int(m.group(3))
        start = m.end()
        results[m.group(1).decode()] = (m.group(2).decode(), data[start:start + n])
        pos = start + n
    return results


def class_files(classdir, name):
    return sorted(os.path.join(classdir, f) for f in os.listdir(classdir)
                  if f == name + ".class" or (f.startswith(name + "$") and f.endswith(".class")))


_JDKS = {}


def mode_jdk(options):
    """The bin directory prefix of a JDK that compiles for the mode's release
    ("" for the one on the PATH), None when none does; looked up once."""
    if "--release" not in options:
        return ""
    release = roundtrip.mode_release(options)
    if release not in _JDKS:
        _JDKS[release] = roundtrip.find_jdk(release)
    return _JDKS[release]


def jad_options(mode):
    return ["-m"] if mode in roundtrip.MODERN_MODES else []


def decompile(jad, files_by_name, outdir, options=()):
    """{name: None or (kind, detail)}; one jad process per batch, each
    program alone again when the batch fails, to know whose fault it is."""
    def one(names):
        files = [f for n in names for f in files_by_name[n]]
        rc, out, err = roundtrip.run([jad, "-o", "-d" + outdir] + list(options) + files, JAD_TIMEOUT)
        return rc, err

    result = {}
    names = list(files_by_name)
    rc, err = one(names)
    if rc == 0 and all(os.path.isfile(os.path.join(outdir, n + ".java")) for n in names):
        return {n: None for n in names}
    for n in names:
        rc, err = one([n])
        if rc is None:
            result[n] = ("jad-hang", "over %ds" % JAD_TIMEOUT)
        elif rc < 0:
            result[n] = ("jad-crash", "signal %d" % -rc)
        elif rc != 0:
            result[n] = ("jad-exit", "exit %d: %s" % (rc, roundtrip.first_line(err)))
        elif not os.path.isfile(os.path.join(outdir, n + ".java")):
            result[n] = ("jad-exit", "no %s.java written" % n)
        else:
            result[n] = None
    return result


def compare(expected, actual):
    """None when the runs agree, else (kind, detail)."""
    exp_status, exp_out = expected
    status, out = actual
    if status == "timeout":
        return ("timeout", "over %dms" % RUN_LIMIT_MS)
    if status != exp_status:
        return ("wrong-output", "ends with %s, not %s; %s" % (status, exp_status,
                                                              roundtrip.describe_difference(exp_out, out)))
    if out != exp_out:
        return ("wrong-output", roundtrip.describe_difference(exp_out, out))
    return None


def refine(diff, source):
    """A difference that comes from a fallback body is a fallback."""
    with open(source, "rb") as f:
        text = f.read()
    at = text.find(FALLBACK_MARK)
    if at >= 0:
        end = text.find(b"\n", at)
        return ("fallback", text[at + len(FALLBACK_MARK):end].decode("utf-8", "replace").strip(" :\");\r"))
    return diff


class Run:
    """One batch of seeds through every compilation."""

    def __init__(self, args, jad, work):
        self.args = args
        self.jad = jad
        self.work = work
        self.pool = concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs))
        self.harness = Harness(work)
        self.failures = []      # (seed, mode, kind, detail)
        self.generator = []     # (seed, mode, detail)
        self.checked = 0        # program x compilation pairs that got to the comparison or failed

    def generate(self, seeds):
        src = os.path.join(self.work, "src")
        os.makedirs(src, exist_ok=True)
        progs = {}
        for s in seeds:
            cls, tree = gen.generate(s, self.args.exclude, level=self.args.level)
            path = os.path.join(src, cls + ".java")
            with open(path, "w", encoding="utf-8") as f:
                f.write(gen.program_text(tree))
            progs[cls] = (s, path)
        return progs

    def compile_many(self, files, outdir, options, jdk=""):
        """compile_sources over batches, in parallel."""
        os.makedirs(outdir, exist_ok=True)
        futures = [self.pool.submit(roundtrip.compile_sources, batch, outdir, options, jdk)
                   for batch in chunks(files, self.args.batch)]
        broken = {}
        for f in futures:
            broken.update(f.result())
        return broken

    def run_many(self, classdir, names, jdk=""):
        futures = [self.pool.submit(self.harness.run, classdir, batch, jdk)
                   for batch in chunks(names, self.args.batch)]
        results = {}
        for f in futures:
            results.update(f.result())
        return results

    def mode(self, mode, options, progs):
        base = os.path.join(self.work, mode)
        classes = os.path.join(base, "classes")
        jdk = mode_jdk(options)
        if jdk is None:
            print("difffuzz: no JDK compiles for %s; %s skipped" % (" ".join(options), mode))
            return
        broken = self.compile_many([p for _, p in progs.values()], classes, options, jdk)
        names = [n for n, (_, p) in progs.items() if p not in broken]
        for n, (s, p) in progs.items():
            if p in broken:
                self.generator.append((s, mode, "does not compile: " + broken[p]))
        expected = self.run_many(classes, names, jdk)
        good = []
        for n in names:
            status = expected[n][0]
            if status == "timeout" or status.startswith("error:"):
                self.generator.append((progs[n][0], mode, "original run: " + status))
            else:
                good.append(n)

        srcdir = os.path.join(base, "src")
        os.makedirs(srcdir, exist_ok=True)
        files = {n: class_files(classes, n) for n in good}
        futures = [self.pool.submit(decompile, self.jad, {n: files[n] for n in batch}, srcdir, jad_options(mode))
                   for batch in chunks(good, self.args.batch)]
        decompiled = []
        for f in futures:
            for n, err in f.result().items():
                if err:
                    self.fail(progs[n][0], mode, *err)
                else:
                    decompiled.append(n)

        outdir = os.path.join(base, "reclasses")
        sources = {n: os.path.join(srcdir, n + ".java") for n in decompiled}
        errors = self.compile_many(list(sources.values()), outdir, [], jdk)
        rerun = []
        for n in decompiled:
            if sources[n] in errors:
                self.fail(progs[n][0], mode, "recompile", errors[sources[n]])
            else:
                rerun.append(n)
        actual = self.run_many(outdir, rerun, jdk)
        for n in rerun:
            diff = compare(expected[n], actual[n])
            if diff:
                self.fail(progs[n][0], mode, *refine(diff, sources[n]))
        self.checked += len(good)
        if not self.args.keep:
            shutil.rmtree(base, ignore_errors=True)

    def fail(self, seed, mode, kind, detail):
        self.failures.append((seed, mode, kind, detail))
        print("FAIL %-4s seed %-6d %-12s %s" % (mode, seed, kind, detail[:200]))
        sys.stdout.flush()


def summarize(run, seeds, modes, elapsed):
    by_kind = {k: 0 for k in KINDS}
    by_mode = {m: 0 for m, _ in modes}
    for _, mode, kind, _ in run.failures:
        by_kind[kind] += 1
        by_mode[mode] += 1
    failing_seeds = sorted({s for s, _, _, _ in run.failures})
    print("programs: %d seeds x %d compilations = %d checked, %d failed (%d seeds), %.0fs"
          % (len(seeds), len(modes), run.checked, len(run.failures), len(failing_seeds), elapsed))
    print("by kind: " + ", ".join("%s %d" % (k, by_kind[k]) for k in KINDS))
    print("by compilation: " + ", ".join("%s %d" % (m, by_mode[m]) for m, _ in modes))
    if run.generator:
        print("generator faults (not counted): %d, seeds %s"
              % (len(run.generator), " ".join(str(s) for s, _, _ in run.generator[:20])))
        for s, mode, detail in run.generator[:5]:
            print("  seed %d %s: %s" % (s, mode, detail[:160]))
    if failing_seeds:
        print("failing seeds: " + " ".join(str(s) for s in failing_seeds[:200]))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--seeds", default="1-20", help="seed list, e.g. 1-2000 or 3,7,10-12")
    ap.add_argument("--jad", default=None, help="path of the jad binary")
    ap.add_argument("--exclude", default="", help="construct families to leave out: " + ", ".join(gen.FAMILIES))
    ap.add_argument("--modes", default=",".join(DEFAULT_MODES),
                    help="compilations, of " + ", ".join(m for m, _ in MODES))
    ap.add_argument("--level", type=int, default=None,
                    help="release of the modern constructs generated (default: the lowest modern mode's, else none)")
    ap.add_argument("--batch", type=int, default=100, help="programs per javac, jad and java call")
    ap.add_argument("--chunk", type=int, default=400, help="seeds generated and checked at a time")
    ap.add_argument("-j", "--jobs", type=int, default=2)
    ap.add_argument("--work", default=None, help="work directory (kept; the compiled and decompiled files only with --keep)")
    ap.add_argument("--keep", action="store_true", help="keep the compiled and decompiled files")
    ap.add_argument("--known", default="", help="seeds whose failures are known: reported, but not failing the run")
    ap.add_argument("--reduce", action="store_true", help="cut each failing program down to a small case")
    ap.add_argument("--reduce-max", type=int, default=10, help="at most this many reductions per kind")
    ap.add_argument("--reduce-tests", type=int, default=300, help="at most this many checks per reduction")
    ap.add_argument("--reduced-dir", default=None, help="where reduced cases go (default WORK/reduced)")
    args = ap.parse_args()
    args.exclude = [x for x in args.exclude.split(",") if x]
    bad = [x for x in args.exclude if x not in gen.FAMILIES]
    if bad:
        ap.error("unknown family %s (known: %s)" % (", ".join(bad), ", ".join(gen.FAMILIES)))

    jad = args.jad or os.environ.get("JAD") or os.path.join(HERE, "..", "..", "..", "build", "jad", "jad")
    if not os.access(jad, os.X_OK):
        print("difffuzz: no jad binary (use --jad PATH)", file=sys.stderr)
        return 2
    jad = os.path.abspath(jad)
    for tool in ("javac", "java"):
        if shutil.which(tool) is None:
            print("difffuzz: %s is not on the PATH" % tool, file=sys.stderr)
            return 2
    seeds = parse_seeds(args.seeds)
    modes = [m for m in MODES if m[0] in args.modes.split(",")]
    # With a modern compilation the programs hold the modern constructs that
    # its lowest release can say; without one they are the classic programs.
    modern = [roundtrip.mode_release(o) for m, o in modes if m in roundtrip.MODERN_MODES]
    if args.level is None:
        args.level = min(modern) if modern else None
    if args.work:
        work = os.path.abspath(args.work)
        os.makedirs(work, exist_ok=True)
    else:
        work = tempfile.mkdtemp(prefix="jad-difffuzz-")
    start = time.time()
    run = Run(args, jad, work)
    try:
        for part in chunks(seeds, args.chunk):
            progs = run.generate(part)
            for mode, options in modes:
                run.mode(mode, options, progs)
            print("... seeds %d-%d done, %d failures so far, %.0fs" % (part[0], part[-1], len(run.failures),
                                                                      time.time() - start))
            sys.stdout.flush()
        summarize(run, seeds, modes, time.time() - start)
        if args.reduce and run.failures:
            import reduce
            out = args.reduced_dir or os.path.join(work if args.work else os.getcwd(), "difffuzz-reduced")
            reduce.reduce_failures(run.failures, dict(modes), jad, args, out)
    finally:
        run.pool.shutdown(wait=True)
        if not args.work and not args.keep:
            shutil.rmtree(work, ignore_errors=True)
        elif args.keep or args.work:
            print("work directory: " + work)
    known = set(parse_seeds(args.known))
    unknown = [f for f in run.failures if f[0] not in known]
    if known:
        print("known failing seeds, not counted: %d of %d failures" % (len(run.failures) - len(unknown),
                                                                      len(run.failures)))
        fixed = sorted(known & set(seeds) - {f[0] for f in run.failures})
        if fixed:
            print("listed as known but passing (take them off the list): " + " ".join(map(str, fixed)))
    return 1 if unknown else 0


if __name__ == "__main__":
    sys.exit(main())
