#!/usr/bin/env python3
"""Round trip through the engine: compile, run, decompile, recompile, rerun.

Every program under roundtrip/<feature>/<Name>.java prints deterministic
output. For each of three compilations (release 8 with and without debug
info, release 17) and each of two option sets (the plain command line and
the viewer's), the program's class file is decompiled with jad, the output is
compiled again with javac and run; its output must equal the original's.

The modern modes (m8, m8g with debug info, m11, m17, m21) compile at that release, decompile with
-m and recompile at the same release. A program that needs a newer release
says so in a comment line `// release: 17`; modes below it leave it out. One
that only the modern dialect can say (an enum, a default method) has a line
`// dialect: modern` and runs in the modern modes alone.
Release 21 needs a JDK newer than the one on the PATH: the newest under
/usr/lib/jvm whose javac supports it, or the mode is skipped.

One line per case, then a closing line "N passed, N failed, N skipped" (the
skipped being the listed known failures); exit status 1 when any other case
failed.
"""

import argparse
import concurrent.futures
import fnmatch
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "roundtrip")

# name -> javac options for the original compilation
MODES = [
    ("r8g", ["--release", "8", "-g"]),
    ("r8", ["--release", "8"]),
    ("r17", ["--release", "17"]),
    ("m8", ["--release", "8"]),
    ("m8g", ["--release", "8", "-g"]),
    ("m11", ["--release", "11"]),
    ("m17", ["--release", "17"]),
    ("m21", ["--release", "21"]),
]
MODERN_MODES = {"m8", "m8g", "m11", "m17", "m21"}
RELEASE_LINE = re.compile(r"^\s*//\s*release:\s*(\d+)\s*$", re.M)
MODERN_LINE = re.compile(r"^\s*//\s*dialect:\s*modern\s*$", re.M)


def mode_release(options):
    return int(options[options.index("--release") + 1])


def find_jdk(release):
    """The bin directory of a JDK whose javac compiles for `release`: the one
    on the PATH, else the newest under /usr/lib/jvm; None when there is none."""
    def supports(javac):
        rc, _, _ = run([javac, "--release", str(release), "-version"], 60)
        return rc == 0
    if shutil.which("javac") and supports("javac"):
        return ""
    root = "/usr/lib/jvm"
    candidates = sorted(os.listdir(root), reverse=True) if os.path.isdir(root) else []
    for name in candidates:
        javac = os.path.join(root, name, "bin", "javac")
        if os.access(javac, os.X_OK) and supports(javac):
            return os.path.join(root, name, "bin") + os.sep
    return None

# name -> jad options (besides -o -d<dir>); "viewer" is what the viewer passes
VARIANTS = [
    ("plain", []),
    ("viewer", ["-ff", "-b", "-l80", "-sjava"]),
]

RUN_TIMEOUT = 20      # seconds for one program run
JAD_TIMEOUT = 30      # seconds for one jad process
JAVAC_TIMEOUT = 300   # seconds for one javac call

# Cases the engine does not get right yet, as (program, modes): they still run
# and print, as KNOWN, but do not fail the suite; one that starts passing says
# so, so that it can be taken off the list.
KNOWN_FAILURES = {
}


def known_failure(prog, mode):
    return mode in KNOWN_FAILURES.get(prog.label, ())


JAVAC_ERROR = re.compile(r"^(?P<path>.+?\.java):(?P<line>\d+): error: (?P<msg>.*)$")


class Program:
    def __init__(self, feature, name, path):
        self.feature = feature
        self.name = name
        self.path = path
        with open(path, encoding="utf-8") as f:
            text = f.read()
        m = RELEASE_LINE.search(text)
        self.release = int(m.group(1)) if m else 8
        self.modern_only = MODERN_LINE.search(text) is not None

    @property
    def label(self):
        return self.feature + "/" + self.name


def discover(patterns):
    programs = []
    for feature in sorted(os.listdir(CORPUS)):
        folder = os.path.join(CORPUS, feature)
        if not os.path.isdir(folder):
            continue
        for entry in sorted(os.listdir(folder)):
            if entry.endswith(".java"):
                programs.append(Program(feature, entry[:-5], os.path.join(folder, entry)))
    seen = {}
    for p in programs:
        if p.name in seen:
            sys.exit("roundtrip: two programs named %s (%s, %s); class names must be unique"
                     % (p.name, seen[p.name].path, p.path))
        seen[p.name] = p
    if patterns:
        def wanted(p):
            for pat in patterns:
                if any(ch in pat for ch in "*?["):
                    if fnmatch.fnmatch(p.label, pat) or fnmatch.fnmatch(p.name, pat):
                        return True
                elif pat in p.label:
                    return True
            return False
        programs = [p for p in programs if wanted(p)]
    return programs


def run(cmd, timeout, cwd=None):
    """(returncode, stdout, stderr); returncode None on time-out."""
    try:
        proc = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=timeout)
        return proc.returncode, proc.stdout, proc.stderr
    except subprocess.TimeoutExpired as e:
        return None, e.stdout or b"", e.stderr or b""


def first_line(data, limit=160):
    text = data.decode("utf-8", "replace") if isinstance(data, bytes) else data
    for line in text.splitlines():
        line = line.strip()
        if line:
            return line[:limit]
    return ""


def compile_sources(files, outdir, options, jdk=""):
    """Compiles files with as few javac calls as possible; one broken file
    must not hide the others. Returns {file: error text} for the files that
    did not compile (all others have their classes in outdir)."""
    failed = {}
    pending = list(files)
    attempt = 0
    while pending:
        attempt += 1
        cmd = [jdk + "javac", "-nowarn", "-encoding", "UTF-8", "-Xmaxerrs", "100000",
               "-d", outdir] + options + pending
        rc, out, err = run(cmd, JAVAC_TIMEOUT)
        if rc == 0:
            return failed
        text = (out + err).decode("utf-8", "replace")
        blamed = {}
        for line in text.splitlines():
            m = JAVAC_ERROR.match(line)
            if m:
                path = os.path.abspath(m.group("path"))
                blamed.setdefault(path, "%s:%s: %s" % (os.path.basename(path), m.group("line"),
                                                       m.group("msg")))
        named = [f for f in pending if os.path.abspath(f) in blamed]
        if not named or attempt > 4:
            # Errors not tied to a file, or they keep moving: one call per file.
            for f in pending:
                if os.path.abspath(f) in blamed:
                    failed[f] = blamed[os.path.abspath(f)]
                    continue
                rc, out, err = run(cmd[:-len(pending)] + [f], JAVAC_TIMEOUT)
                if rc != 0:
                    failed[f] = first_line(err or out) or ("javac exit %s" % rc)
            return failed
        for f in named:
            failed[f] = blamed[os.path.abspath(f)]
        pending = [f for f in pending if f not in failed]
    return failed


def java_run(classdir, name, jdk=""):
    rc, out, err = run([jdk + "java", "-Xshare:auto", "-cp", classdir, name], RUN_TIMEOUT)
    return rc, out, err


def describe_difference(expected, actual):
    exp = expected.decode("utf-8", "replace").splitlines()
    act = actual.decode("utf-8", "replace").splitlines()
    for i in range(max(len(exp), len(act))):
        e = exp[i] if i < len(exp) else "<end>"
        a = act[i] if i < len(act) else "<end>"
        if e != a:
            return "line %d: expected %r, got %r" % (i + 1, e[:70], a[:70])
    return "outputs differ"


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("patterns", nargs="*", help="only programs whose feature/Name contains this "
                    "(or matches it as a glob)")
    ap.add_argument("-k", "--filter", action="append", default=[], metavar="PATTERN",
                    help="same as a positional pattern; may be repeated")
    ap.add_argument("--jad", default=None, help="path of the jad binary")
    ap.add_argument("--keep", action="store_true", help="keep the work directory")
    ap.add_argument("--work", default=None, help="work directory (kept); default a temporary one")
    ap.add_argument("--modes", default=",".join(m for m, _ in MODES if m != "m11"),
                    help="compilations to use (default: %(default)s)")
    ap.add_argument("--variants", default=",".join(v for v, _ in VARIANTS),
                    help="jad option sets to use (default: %(default)s)")
    ap.add_argument("--no-check", dest="check", action="store_false",
                    help="do not pass --check (the IR checked after every pass) to jad")
    ap.add_argument("-j", "--jobs", type=int, default=2, help="parallel processes (default 2)")
    ap.add_argument("-v", "--verbose", action="store_true",
                    help="print the jad command and the whole javac error of failing cases")
    args = ap.parse_args()

    jad = args.jad or os.environ.get("JAD")
    if not jad:
        for cand in ("build/jad/jad", "build-h7/jad/jad"):
            p = os.path.join(HERE, "..", "..", cand)
            if os.path.exists(p):
                jad = p
                break
    if not jad or not os.access(jad, os.X_OK):
        print("roundtrip: no jad binary (use --jad PATH)", file=sys.stderr)
        return 2
    jad = os.path.abspath(jad)
    for tool in ("javac", "java"):
        if shutil.which(tool) is None:
            print("roundtrip: %s is not on the PATH" % tool, file=sys.stderr)
            return 2

    programs = discover(args.patterns + args.filter)
    if not programs:
        print("roundtrip: no program matches", file=sys.stderr)
        return 2
    modes = [m for m in MODES if m[0] in args.modes.split(",")]
    variants = [v for v in VARIANTS if v[0] in args.variants.split(",")]

    if args.work:
        work = os.path.abspath(args.work)
        if os.path.isdir(work):
            shutil.rmtree(work)
        os.makedirs(work)
    else:
        work = tempfile.mkdtemp(prefix="jad-roundtrip-")
    keep = args.keep or args.work is not None

    pool = concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs))
    passed = failed = known = 0
    tally = {}

    results = {}

    def report(mode, variant, prog, error, detail=None):
        results.setdefault((mode, variant), {})[prog.name] = (error, detail)

    def flush(mode, variant):
        # Cases finish stage by stage; print them in corpus order.
        nonlocal passed, failed, known
        done = results.get((mode, variant), {})
        ok = expected = 0
        for prog in programs:
            if prog.name not in done:
                continue
            error, detail = done[prog.name]
            if error is None:
                ok += 1
                note = "  (listed as a known failure: take it off the list)" if known_failure(prog, mode) else ""
                print("PASS %-4s %-6s %s%s" % (mode, variant, prog.label, note))
            else:
                expected += known_failure(prog, mode)
                word = "KNOWN" if known_failure(prog, mode) else "FAIL"
                print("%-5s %-4s %-6s %s: %s" % (word, mode, variant, prog.label, error))
                if detail and args.verbose:
                    for line in detail.rstrip().splitlines():
                        print("     | " + line)
        passed += ok
        known += expected
        failed += len(done) - ok - expected
        tally[(mode, variant)] = (ok, len(done))
        sys.stdout.flush()

    try:
        for mode, javac_opts in modes:
            release = mode_release(javac_opts)
            modern = mode in MODERN_MODES
            jdk = find_jdk(release)
            if jdk is None:
                print("SKIP  %s: no JDK here compiles for release %d" % (mode, release))
                continue
            chosen = [p for p in programs if p.release <= release and (modern or not p.modern_only)]
            if not chosen:
                continue
            # Modern output is for its own release; the classic is plain Java.
            again = ["--release", str(release)] if modern else []
            classes = os.path.join(work, mode, "classes")
            os.makedirs(classes)
            broken = compile_sources([p.path for p in chosen], classes, javac_opts, jdk)
            expected = {}
            runnable = []
            for p in chosen:
                if p.path in broken:
                    for variant, _ in variants:
                        report(mode, variant, p, "original does not compile: " + broken[p.path])
                else:
                    runnable.append(p)
            runs = {p.name: pool.submit(java_run, classes, p.name, jdk) for p in runnable}
            originals = []
            for p in runnable:
                rc, out, err = runs[p.name].result()
                if rc != 0:
                    for variant, _ in variants:
                        report(mode, variant, p, "original exits with %s: %s" % (rc, first_line(err)))
                    continue
                expected[p.name] = (rc, out)
                originals.append(p)

            for variant, jad_opts in variants:
                # The viewer reads the classic dialect only.
                if modern and variant == "viewer":
                    continue
                if modern:
                    jad_opts = ["-m"] + jad_opts
                if args.check:
                    jad_opts = ["--check"] + jad_opts
                base = os.path.join(work, mode, variant)
                srcdir = os.path.join(base, "src")
                outdir = os.path.join(base, "classes")
                os.makedirs(srcdir)
                os.makedirs(outdir)

                def decompile(p):
                    cmd = [jad, "-o", "-d" + srcdir] + jad_opts + [os.path.join(classes, p.name + ".class")]
                    rc, out, err = run(cmd, JAD_TIMEOUT)
                    if rc is None:
                        return "jad hangs (over %ds)" % JAD_TIMEOUT, cmd
                    if rc < 0:
                        return "jad killed by signal %d" % -rc, cmd
                    if rc != 0:
                        return "jad exit %d: %s" % (rc, first_line(err)), cmd
                    if not os.path.isfile(os.path.join(srcdir, p.name + ".java")):
                        return "jad wrote no %s.java" % p.name, cmd
                    return None, cmd

                jobs = {p.name: pool.submit(decompile, p) for p in originals}
                decompiled = []
                for p in originals:
                    error, cmd = jobs[p.name].result()
                    if error:
                        report(mode, variant, p, error, " ".join(cmd))
                    else:
                        decompiled.append(p)

                sources = {p.name: os.path.join(srcdir, p.name + ".java") for p in decompiled}
                errors = compile_sources(list(sources.values()), outdir, again, jdk)
                recompiled = []
                for p in decompiled:
                    if sources[p.name] in errors:
                        report(mode, variant, p, "recompile: " + errors[sources[p.name]])
                    else:
                        recompiled.append(p)

                reruns = {p.name: pool.submit(java_run, outdir, p.name, jdk) for p in recompiled}
                for p in recompiled:
                    rc, out, err = reruns[p.name].result()
                    exp_rc, exp_out = expected[p.name]
                    if rc is None:
                        report(mode, variant, p, "decompiled program hangs (over %ds)" % RUN_TIMEOUT)
                    elif rc != exp_rc:
                        report(mode, variant, p, "decompiled program exits with %s: %s"
                               % (rc, first_line(err)), describe_difference(exp_out, out))
                    elif out != exp_out:
                        report(mode, variant, p, "output differs, " + describe_difference(exp_out, out))
                    else:
                        report(mode, variant, p, None)
                flush(mode, variant)
    finally:
        pool.shutdown(wait=True)
        if keep:
            print("work directory kept: " + work)
        else:
            shutil.rmtree(work, ignore_errors=True)

    summary = ["%s/%s %d/%d" % (m, v, tally[(m, v)][0], tally[(m, v)][1])
               for m, _ in modes for v, _ in variants if (m, v) in tally]
    print("by compilation: " + ", ".join(summary))
    if known:
        print("known failures, not counted as failed: %d" % known)
    print("%d passed, %d failed, %d skipped" % (passed, failed, known))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
