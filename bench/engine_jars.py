#!/usr/bin/env python3
"""The engine against real jars: correctness rates and speed.

For each jar (commons-lang3, commons-io, commons-cli, guava by default):

- every class file decompiled with jad, the whole jar in one call (classes per
  second) and every class in a process of its own, as the viewer starts it
  (median and maximum milliseconds, peak resident memory); any exit status
  other than 0 is a failure;
- each top-level class's output parsed with `zefra-outline --records`, and
  the tree it gives compared with what the class file declares: non-synthetic
  fields, methods and member classes, names, flags and counts, as the
  bench's own class-file reader reads them;
- each top-level class's output compiled alone against the jar, each file its
  own compilation: (a) all top-level classes but enums and records, (b) those
  of them without nested, local or anonymous classes and without lambdas;
- the share of methods that got the fallback body.

With --modern the classes are decompiled with -m and compiled at the jar's
own language level (its newest class file's), enums and records included;
the viewer's parser is not asked (it reads the classic dialect), and the
javac error kinds are counted per jar. With --check the whole-jar call
checks the IR after every pass and the broken invariants it reports are
counted.

Prints a compact table; details of failures with --details.
"""

import argparse
import collections
import concurrent.futures
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import zipfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import engine_classfile as cf  # noqa: E402
import engine_classpath  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_JARS = ["commons-lang3", "commons-io", "commons-cli", "guava"]
VIEWER_OPTIONS = ["-ff", "-b", "-l80", "-o"]
FALLBACK_MARK = 'throw new RuntimeException("not decompiled: '
FALLBACK_REASON = re.compile(r'throw new RuntimeException\("not decompiled: (.*?)"\);')
# Words the viewer's scanner reserves, besides Java's own.
DIALECT_WORDS = {"cast", "const", "future", "generic", "goto", "inner", "operator", "outer", "rest", "var"}
JAVA_WORDS = set("""abstract boolean break byte case catch char class continue default do double else
extends final finally float for if implements import instanceof int interface long native new package
private protected public return short static super switch synchronized this throw throws transient try
void volatile while true false null""".split())
IDENT = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")

# Compiles each named file as a compilation of its own in one JVM, so that one
# file's errors never hide or cause another's and the JVM starts only once.
COMPILE_EACH = r"""
import java.io.*;
import java.util.*;
import javax.tools.*;

public class CompileEach {
    public static void main(String[] args) throws Exception {
        String classpath = args[0];
        String scratch = args[1];
        String empty = args[2];
        String release = args.length > 3 ? args[3] : "";
        JavaCompiler javac = ToolProvider.getSystemJavaCompiler();
        StandardJavaFileManager files = javac.getStandardFileManager(null, null, java.nio.charset.StandardCharsets.UTF_8);
        List<String> options = new ArrayList<>(Arrays.asList("-cp", classpath, "-sourcepath", empty, "-implicit:none",
                "-d", scratch, "-proc:none", "-nowarn", "-Xlint:none", "-encoding", "UTF-8"));
        // --release hides jdk.unsupported (sun.misc), which the platforms such jars were built
        // against have: a file that needs it is compiled at the same level against this JDK instead.
        List<String> platform = new ArrayList<>(options);
        if (!release.isEmpty()) {
            options.addAll(Arrays.asList("--release", release));
            platform.addAll(Arrays.asList("-source", release, "-target", release));
        }
        BufferedReader in = new BufferedReader(new InputStreamReader(System.in, "UTF-8"));
        PrintStream out = new PrintStream(new FileOutputStream(FileDescriptor.out), true, "UTF-8");
        String path;
        while ((path = in.readLine()) != null) {
            if (path.isEmpty()) continue;
            DiagnosticCollector<JavaFileObject> diags = new DiagnosticCollector<>();
            boolean ok;
            try {
                ok = javac.getTask(new StringWriter(), files, diags, options, null,
                        files.getJavaFileObjects(path)).call();
                if (!ok && !release.isEmpty() && needsUnsupported(diags)) {
                    diags = new DiagnosticCollector<>();
                    ok = javac.getTask(new StringWriter(), files, diags, platform, null,
                            files.getJavaFileObjects(path)).call();
                    if (ok) {
                        out.println("OK\t" + path + "\tunsupported");
                        continue;
                    }
                }
            } catch (RuntimeException e) {
                out.println("FAIL\t" + path + "\tcompiler crashed: " + e);
                continue;
            }
            if (ok) {
                out.println("OK\t" + path);
                continue;
            }
            String first = "errors";
            int count = 0;
            for (Diagnostic<? extends JavaFileObject> d : diags.getDiagnostics()) {
                if (d.getKind() != Diagnostic.Kind.ERROR) continue;
                if (count++ == 0) {
                    first = d.getLineNumber() + ": " + d.getMessage(null).split("\n")[0];
                }
            }
            out.println("FAIL\t" + path + "\t" + count + "\t" + first.replace('\t', ' '));
        }
    }

    static boolean needsUnsupported(DiagnosticCollector<JavaFileObject> diags) {
        for (Diagnostic<? extends JavaFileObject> d : diags.getDiagnostics()) {
            String m = d.getMessage(null);
            if (m.startsWith("package sun.misc does not exist") || m.startsWith("package sun.reflect does not exist"))
                return true;
        }
        return false;
    }
}
"""


def find_jar(name):
    for cand in (name, "/usr/share/java/%s.jar" % name):
        if os.path.isfile(cand):
            return cand
    return None


GNU_TIME = "/usr/bin/time"


def run_child(cmd, timeout=60):
    """(status, wall ms, peak RSS KiB, stderr) of one process; status is the
    exit code, minus the signal number when killed, None on time-out.

    The peak memory comes from GNU time when it is there: a child forked
    from this Python process would report the parent's memory as its own
    (the maximum RSS counts the pages it had before exec)."""
    use_time = os.access(GNU_TIME, os.X_OK)
    with tempfile.TemporaryFile() as errf, tempfile.NamedTemporaryFile("r") as usage_file:
        full = ([GNU_TIME, "-f", "%M", "-o", usage_file.name] if use_time else []) + cmd
        start = time.perf_counter()
        proc = subprocess.Popen(full, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=errf,
                                start_new_session=True)
        expired = []

        def kill():
            expired.append(True)
            try:
                os.killpg(proc.pid, 9)
            except ProcessLookupError:
                pass

        timer = threading.Timer(timeout, kill)
        timer.start()
        try:
            _, sts, usage = os.wait4(proc.pid, 0)
        finally:
            timer.cancel()
        ms = (time.perf_counter() - start) * 1000
        proc.returncode = status = os.waitstatus_to_exitcode(sts)
        rss = usage.ru_maxrss
        if use_time:
            lines = usage_file.read().splitlines()
            m = re.match(r"Command terminated by signal (\d+)", lines[0]) if lines else None
            if m:
                status = -int(m.group(1))
            try:
                rss = int(lines[-1])
            except (IndexError, ValueError):
                rss = 0
        errf.seek(0)
        err = errf.read()
    return (None if expired else status), ms, rss, err


def confirm_slowest(times, rerun, count=10, runs=3):
    """On a shared machine a single slow run is mostly the scheduler: the
    slowest classes run again and keep their best time."""
    for path in sorted(times, key=times.get, reverse=True)[:count]:
        times[path] = min([times[path]] + [rerun(path) for _ in range(runs)])


def extract(jar, dest):
    names = []
    with zipfile.ZipFile(jar) as z:
        for entry in z.namelist():
            if not entry.endswith(".class") or entry.startswith("META-INF/"):
                continue
            z.extract(entry, dest)
            names.append(entry)
    return sorted(names)


def breaks_dialect(name):
    return not IDENT.match(name) or name in DIALECT_WORDS


def parse_records(text):
    """The five-field records of zefra-outline --records."""
    fields = text.split(";")
    if fields and fields[-1].strip() == "":
        fields = fields[:-1]
    records = []
    for i in range(0, len(fields) - 4, 5):
        depth, line, kind, access, name = fields[i:i + 5]
        try:
            records.append((int(depth.strip()), int(line), int(kind), access, name))
        except ValueError:
            return None
    return records


def record_names(kind, name):
    if kind == 1:
        return [name[:name.index("(")].strip() if "(" in name else name.strip()]
    if kind == 2:
        out = []
        depth = 0
        quote = None
        start = 0
        for i, ch in enumerate(name):
            if quote:
                if ch == "\\":
                    continue
                if ch == quote:
                    quote = None
            elif ch in "\"'":
                quote = ch
            elif ch in "([":
                depth += 1
            elif ch in ")]":
                depth -= 1
            elif ch == "," and depth == 0:
                out.append(name[start:i])
                start = i + 1
        out.append(name[start:])
        return [re.split(r"[=\[ ]", d.strip(), 1)[0] for d in out]
    return [name.strip()]


class Tree:
    def __init__(self, name):
        self.name = name
        self.fields = []
        self.methods = []
        self.classes = []


def build_tree(records):
    roots = []
    stack = []  # stack[d] = class at depth d
    for depth, _, kind, _, name in records:
        if kind == 0:
            node = Tree(name.strip())
            del stack[depth:]
            if depth == 0:
                roots.append(node)
            elif len(stack) >= depth:
                stack[depth - 1].classes.append(node)
            stack.append(node)
        else:
            owner_depth = depth - 1
            if owner_depth < 0 or owner_depth >= len(stack):
                continue
            target = stack[owner_depth]
            for n in record_names(kind, name):
                (target.methods if kind == 1 else target.fields).append(n)
    return roots


class JarReport:
    def __init__(self, name):
        self.name = name
        self.classes = 0
        self.top = 0
        self.jad_failed = []        # (class, reason)
        self.batch_status = None
        self.broken_invariants = None  # with --check: what the whole-jar call reported
        self.batch_seconds = 0.0
        self.batch_rss = 0
        self.latencies = []
        self.rss = []
        self.slowest = []
        self.parse_checked = 0
        self.parse_ok = 0
        self.parse_excused = 0      # a member's own name (declared or called) breaks the dialect
        self.parse_failed = []
        self.tree_ok = 0
        self.tree_bad = []
        self.compile_a = [0, 0]
        self.compile_b = [0, 0]
        self.compile_failed = []    # (class, simple?, error)
        self.release = ""
        self.compile_unsupported = []  # compiled against this JDK: --release hides sun.misc
        self.methods = 0
        self.fallbacks = 0
        self.fallback_reasons = collections.Counter()
        self.skipped = []


def expected_members(info, infos_by_name):
    """(fields, methods, classes, tolerated methods): what the tree must list
    (the non-synthetic members) and what it may list besides (bridges, which
    the engine prints when their parameters differ)."""
    fields = [f.name for f in info.fields if not f.synthetic]
    methods = []
    # The compiler's fields that the code still reads ($assertionsDisabled,
    # an enum's $VALUES) print under their names without the `$`.
    tolerated = set(f.name.replace("$", "") for f in info.fields if f.synthetic and f.name.startswith("$"))
    for m in info.methods:
        if m.name == "<clinit>":
            continue
        if m.synthetic:
            if m.bridge:
                tolerated.add(m.name)
            continue
        methods.append(info.simple_name if m.name == "<init>" else m.name)
    classes = []
    for e in info.member_classes():
        nested = infos_by_name.get(e.inner)
        if nested is not None and (nested.flags & cf.ACC_SYNTHETIC):
            continue
        classes.append(e)
    return fields, methods, classes, tolerated


def has_anonymous(info, infos_by_name):
    """Whether the class has anonymous or local classes or lambdas: their
    members (and local classes, which the engine may print as member
    classes) show in the tree besides the class's own."""
    prefix = info.this + "$"
    for e in info.inner:
        if e.inner.startswith(prefix) and e.outer is None:
            return True
    return info.lambdas > 0


def compare_tree(node, info, infos_by_name, problems, path):
    fields, methods, classes, tolerated = expected_members(info, infos_by_name)
    lenient = has_anonymous(info, infos_by_name)
    for kind, want, got in (("field", fields, node.fields), ("method", methods, node.methods)):
        want_c = collections.Counter(n for n in want if not breaks_dialect(n))
        got_c = collections.Counter(got)
        missing = want_c - got_c
        extra = collections.Counter({k: v for k, v in (got_c - want_c).items()
                                     if not breaks_dialect(k) and k not in tolerated})
        if missing:
            problems.append("%s: %s missing %s" % (path, kind, ", ".join(sorted(missing))))
        if extra and not lenient:
            problems.append("%s: extra %s %s" % (path, kind, ", ".join(sorted(extra))))
    got_classes = {c.name: c for c in node.classes}
    for e in classes:
        child = got_classes.pop(e.name, None)
        nested = infos_by_name.get(e.inner)
        if child is None:
            problems.append("%s: member class %s missing" % (path, e.name))
        elif nested is not None:
            compare_tree(child, nested, infos_by_name, problems, path + "." + e.name)
    if got_classes and not lenient:
        problems.append("%s: extra classes %s" % (path, ", ".join(sorted(got_classes))))


def bench_jar(jar_name, jar, jad, outline, work, args, pool, compiler_dir):
    rep = JarReport(jar_name)
    base = os.path.join(work, jar_name)
    classdir = os.path.join(base, "classes")
    outdir = os.path.join(base, "out")
    singledir = os.path.join(base, "single")
    os.makedirs(outdir)
    os.makedirs(singledir)
    entries = extract(jar, classdir)
    rep.classes = len(entries)
    infos = {}
    for entry in entries:
        with open(os.path.join(classdir, entry), "rb") as f:
            try:
                infos[entry[:-6]] = cf.parse(f.read())
            except cf.ClassFormat as e:
                rep.skipped.append("%s: %s" % (entry, e))
    files = [os.path.join(classdir, e) for e in entries]

    options = VIEWER_OPTIONS + (["-m"] if args.modern else [])
    # The whole jar in one call.
    status, ms, rss, err = run_child([jad] + options + (["--check"] if args.check else []) +
                                     ["-r", "-d" + outdir] + files, timeout=600)
    rep.batch_status = status
    rep.batch_seconds = ms / 1000.0
    rep.batch_rss = rss
    batch_failed = {}
    if args.check:
        rep.broken_invariants = [l for l in err.decode("utf-8", "replace").splitlines() if "invariant broken" in l]
    for line in err.decode("utf-8", "replace").splitlines():
        if ": " in line:
            path, reason = line.split(": ", 1)
            batch_failed[os.path.abspath(path)] = reason

    # One process per class, as the viewer starts it.
    sample = files
    if args.sample and args.sample < len(files):
        step = len(files) / float(args.sample)
        sample = [files[int(i * step)] for i in range(args.sample)]

    def single(path):
        return path, run_child([jad] + options + ["-sjava", "-d" + singledir, path], timeout=60)

    per_class = {}
    times = {}
    for path, (st, ms1, rss1, err1) in pool.map(single, sample):
        per_class[path] = st
        times[path] = ms1
        rep.rss.append(rss1)
        if st != 0:
            why = ("signal %d" % -st) if st is not None and st < 0 else \
                  ("time-out" if st is None else "exit %d: %s" % (st, err1.decode("utf-8", "replace").strip()[:120]))
            rep.jad_failed.append((os.path.relpath(path, classdir), why))
    for path, reason in batch_failed.items():
        if path not in per_class and os.path.isfile(path):
            rep.jad_failed.append((os.path.relpath(path, classdir), "in the batch: " + reason))
    if status not in (0, 1) and not rep.jad_failed:
        rep.jad_failed.append(("(whole jar)", "batch exit %s" % status))
    confirm_slowest(times, lambda path: single(path)[1][1])
    rep.latencies = list(times.values())
    rep.slowest = sorted(((ms1, os.path.relpath(path, classdir)) for path, ms1 in times.items()),
                         reverse=True)[:3]

    # Top-level classes and what the class files declare.
    tops = []
    for internal, info in sorted(infos.items()):
        simple = internal.rsplit("/", 1)[-1]
        if info.is_nested or simple in ("module-info", "package-info"):
            continue
        tops.append(internal)
    rep.top = len(tops)

    def output_of(internal):
        return os.path.join(outdir, internal + ".java")

    # Fallback bodies, over the printed top-level files (nested classes
    # are printed inside them).
    for internal, info in infos.items():
        if info.flags & cf.ACC_SYNTHETIC:
            continue
        plain = {(m.name, m.params) for m in info.methods if not m.bridge}
        for m in info.methods:
            # Bodies the engine prints: the source's methods, lambda bodies
            # and the bridges it keeps (those whose parameters differ).
            printed = not m.synthetic or m.name.startswith("lambda$") or \
                (m.bridge and (m.name, m.params) not in plain)
            if m.has_code and printed:
                rep.methods += 1
    for internal in tops:
        try:
            with open(output_of(internal), encoding="utf-8", errors="replace") as f:
                text = f.read()
        except OSError:
            continue
        rep.fallbacks += text.count(FALLBACK_MARK)
        for reason in FALLBACK_REASON.findall(text):
            rep.fallback_reasons[re.sub(r"\d+", "N", reason)[:70]] += 1

    # The viewer's parser and its tree.
    if outline:
        def parse_one(internal):
            path = output_of(internal)
            if not os.path.isfile(path):
                return internal, None, "no output"
            try:
                proc = subprocess.run([outline, "--records", path], stdout=subprocess.PIPE,
                                      stderr=subprocess.PIPE, timeout=60)
            except subprocess.TimeoutExpired:
                return internal, None, "zefra-outline time-out"
            if proc.returncode != 0:
                # stderr: the bytes the scanner matched to no token, then
                # "<path>:<line>: <message>".
                err = proc.stderr.decode("utf-8", "replace")
                where = err.rfind(path + ":")
                stray = err[:where].strip() if where > 0 else ""
                message = err[where + len(path) + 1:].strip() if where >= 0 else err.strip()
                if stray:
                    message += " (unscanned bytes %r)" % stray[:20]
                return internal, None, "line " + message[:120]
            return internal, proc.stdout.decode("utf-8", "replace"), None

        for internal, text, error in pool.map(parse_one, tops):
            info = infos[internal]
            names = []
            used = set()
            for other, oinfo in infos.items():
                if other == internal or other.startswith(internal + "$"):
                    if oinfo.flags & cf.ACC_SYNTHETIC:
                        continue
                    used |= oinfo.referenced
                    entry = oinfo.entry_for_self()
                    if entry is None or entry.name:
                        names.append(oinfo.simple_name)  # anonymous classes have none
                    names += [f.name for f in oinfo.fields if not f.synthetic]
                    names += [m.name for m in oinfo.methods if not m.synthetic and not m.name.startswith("<")]
            # A call of a library method whose name the dialect reserves
            # (Class.cast) has no other spelling either.
            excused = any(breaks_dialect(n) for n in names) or any(n in DIALECT_WORDS for n in used)
            rep.parse_checked += 1
            if error is not None:
                if excused:
                    rep.parse_excused += 1
                else:
                    rep.parse_failed.append((internal, error))
                continue
            rep.parse_ok += 1
            records = parse_records(text)
            roots = build_tree(records or [])
            problems = []
            if len(roots) != 1 or roots[0].name != info.simple_name:
                problems.append("%s: top-level classes %s" % (internal, [r.name for r in roots]))
            else:
                compare_tree(roots[0], info, infos, problems, internal.rsplit("/", 1)[-1])
            if problems:
                rep.tree_bad.append((internal, problems))
            else:
                rep.tree_ok += 1

    # Each top-level output compiled alone against the jar.
    if compiler_dir:
        checks = []
        for internal in tops:
            info = infos[internal]
            if (info.is_enum or info.is_record) and not args.modern:
                continue
            prefix = internal + "$"
            nested = any(other.startswith(prefix) for other in infos)
            lambdas = info.lambdas > 0
            checks.append((internal, not nested and not lambdas))
        release = jar_release(infos) if args.modern else ""
        rep.release = release
        classpath = engine_classpath.compile_classpath(jar, classdir, entries)
        results = compile_each(compiler_dir, classpath, [output_of(i) for i, _ in checks], base, args.jobs, release)
        for internal, simple in checks:
            ok, error = results.get(output_of(internal), (False, "not compiled"))
            rep.compile_a[1] += 1
            rep.compile_a[0] += ok
            if simple:
                rep.compile_b[1] += 1
                rep.compile_b[0] += ok
            if not ok:
                rep.compile_failed.append((internal, simple, error))
            elif error == "unsupported":
                rep.compile_unsupported.append(internal)
    return rep


def prepare_compiler(work):
    d = os.path.join(work, "compile-each")
    os.makedirs(d)
    src = os.path.join(d, "CompileEach.java")
    with open(src, "w") as f:
        f.write(COMPILE_EACH)
    subprocess.check_call(["javac", "-nowarn", "-d", d, src])
    return d


def jar_release(infos):
    """The language level of the jar's newest class file, as --release takes it
    (at least 8, the oldest the compiler offers)."""
    newest = max((info.version[0] for info in infos.values()), default=52)
    return str(max(8, newest - 44))


def error_kind(message):
    """A javac message without its particulars: "cannot find symbol",
    "incompatible types: X cannot be converted to Y" -> "incompatible types"."""
    text = re.sub(r"^\d+: ", "", message or "")
    text = text.split(":")[0] if text.startswith(("incompatible types", "method does not override")) else text
    text = re.sub(r"'[^']*'|\b[\w$.]+\(.*?\)|<[^>]*>", "X", text)
    text = re.sub(r"\b(?:[A-Za-z_$][\w$]*\.)+[A-Za-z_$][\w$]*\b", "X", text)
    return re.sub(r"\b[A-Z][\w$]*\b", "X", text)[:80]


def compile_each(compiler_dir, classpath, paths, base, jobs, release=""):
    """{path: (ok, first error)} with `jobs` compiler JVMs."""
    present = [p for p in paths if os.path.isfile(p)]
    results = {p: (False, "no output") for p in paths if p not in present}
    if not present:
        return results
    jobs = max(1, min(jobs, len(present)))
    empty = os.path.join(base, "empty-sourcepath")
    os.makedirs(empty, exist_ok=True)
    procs = []
    for k in range(jobs):
        scratch = os.path.join(base, "compiled-%d" % k)
        os.makedirs(scratch, exist_ok=True)
        chunk = present[k::jobs]
        p = subprocess.Popen(["java", "-XX:+UseSerialGC", "-Xss4m", "-cp", compiler_dir, "CompileEach",
                              classpath, scratch, empty, release], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL)
        procs.append((p, chunk))
    for p, chunk in procs:
        p.stdin.write(("\n".join(chunk) + "\n").encode("utf-8"))
        p.stdin.close()
    for p, chunk in procs:
        for line in p.stdout.read().decode("utf-8", "replace").splitlines():
            parts = line.split("\t")
            if parts[0] == "OK":
                results[parts[1]] = (True, parts[2] if len(parts) > 2 else None)
            elif parts[0] == "FAIL" and len(parts) >= 3:
                results[parts[1]] = (False, parts[-1])
        p.wait()
    return results


def pct(n, d):
    return "%5.1f%%" % (100.0 * n / d) if d else "    -"


def print_report(reports, outline, compiled, details, modern=False):
    print()
    if modern:
        print("Modern dialect (-m), compiled at each jar's level: (a) all top-level classes, (b) those without "
              "nested classes and lambdas")
    else:
        print("Correctness (top-level classes; compile: (a) all but enums/records, (b) no nested classes, no lambdas)")
    head = "%-14s %7s %5s %8s %15s %13s %19s %19s %14s" % (
        "jar", "classes", "top", "jad!=0", "parse", "tree agrees", "compile (a)", "compile (b)", "fallback")
    print(head)
    print("-" * len(head))
    for r in reports:
        if outline:
            parse = "%d/%d%s" % (r.parse_ok, r.parse_checked - r.parse_excused,
                                 " +%dx" % r.parse_excused if r.parse_excused else "")
            tree = "%d/%d" % (r.tree_ok, r.parse_ok)
        else:
            parse = tree = "n/a"
        if compiled:
            ca = "%d/%d %s" % (r.compile_a[0], r.compile_a[1], pct(*r.compile_a))
            cb = "%d/%d %s" % (r.compile_b[0], r.compile_b[1], pct(*r.compile_b))
        else:
            ca = cb = "n/a"
        fb = "%d/%d %s" % (r.fallbacks, r.methods, pct(r.fallbacks, r.methods).strip())
        print("%-14s %7d %5d %8d %15s %13s %19s %19s %14s" % (
            r.name, r.classes, r.top, len(r.jad_failed), parse, tree, ca, cb, fb))
    print()
    print("Speed (viewer options %s; per process: every class unless --sample)" % " ".join(VIEWER_OPTIONS))
    head = "%-14s %9s %9s %10s %10s %9s %9s %12s" % (
        "jar", "one call", "classes/s", "processes", "median ms", "p95 ms", "max ms", "peak RSS MB")
    print(head)
    print("-" * len(head))
    for r in reports:
        lat = sorted(r.latencies)
        med = statistics.median(lat) if lat else 0
        p95 = lat[int(0.95 * (len(lat) - 1))] if lat else 0
        rate = r.classes / r.batch_seconds if r.batch_seconds else 0
        print("%-14s %8.2fs %9.0f %10d %10.1f %9.1f %9.1f %12.1f" % (
            r.name, r.batch_seconds, rate, len(lat), med, p95, max(lat) if lat else 0,
            max(r.rss) / 1024.0 if r.rss else 0))
    if not outline:
        print("\nparse/tree: zefra-outline not found in the build tree; those columns were skipped")
    if any(r.parse_excused for r in reports):
        print("parse: +Nx = outputs not parsed, excused because a member's own name (declared or called) breaks the dialect")
    for r in reports:
        notes = []
        if r.batch_status != 0:
            notes.append("whole-jar call exited %s" % r.batch_status)
        if r.skipped:
            notes.append("unreadable class files: %d" % len(r.skipped))
        notes.append("slowest: " + ", ".join("%s %.0f ms" % (n, ms) for ms, n in r.slowest))
        notes.append("one-call peak RSS %.1f MB" % (r.batch_rss / 1024.0))
        if r.broken_invariants is not None:
            notes.append("IR checked after every pass: %d broken" % len(r.broken_invariants))
        print("%s: %s" % (r.name, "; ".join(notes)))
        shown = details
        for line in (r.broken_invariants or [])[:shown]:
            print("  invariant   %s" % line[:200])
        for cls, why in r.jad_failed[:shown]:
            print("  jad failed  %s: %s" % (cls, why))
        for cls, why in r.parse_failed[:shown]:
            print("  no parse    %s: %s" % (cls, why))
        for cls, problems in r.tree_bad[:shown]:
            print("  tree        %s" % "; ".join(problems)[:200])
        for cls, simple, why in r.compile_failed[:shown]:
            print("  compile%s  %s: %s" % (" (b)" if simple else "    ", cls, (why or "")[:150]))
        if r.compile_unsupported:
            print("  compiled    %d at -source/-target %s against this JDK, since --release hides sun.misc: %s"
                  % (len(r.compile_unsupported), r.release, ", ".join(r.compile_unsupported[:shown])))
        for reason, n in r.fallback_reasons.most_common(min(shown, 5)):
            print("  fallback    %4d x %s" % (n, reason))
        if modern and r.compile_failed:
            kinds = collections.Counter(error_kind(why) for _, _, why in r.compile_failed)
            print("  javac error kinds (first error of each failing class, at --release %s):" % r.release)
            for kind, n in kinds.most_common(12):
                print("    %4d x %s" % (n, kind))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--build", default=os.path.join(REPO, "build"), help="build tree (default: %(default)s)")
    ap.add_argument("--jad", help="jad binary (default: <build>/jad/jad)")
    ap.add_argument("--outline", help="zefra-outline binary (default: <build>/zefra-outline)")
    ap.add_argument("--jars", default=",".join(DEFAULT_JARS), help="jar names or paths (default: %(default)s)")
    ap.add_argument("--sample", type=int, default=0,
                    help="classes per jar to run one process each (default 0: every class)")
    ap.add_argument("--no-compile", action="store_true", help="skip the javac check")
    ap.add_argument("--modern", action="store_true",
                    help="decompile with -m and compile at the jar's level (no viewer parser check)")
    ap.add_argument("--no-outline", action="store_true", help="skip the zefra-outline check")
    ap.add_argument("--check", action="store_true",
                    help="the whole-jar call checks the IR after every pass (jad --check); its time then includes that")
    ap.add_argument("-j", "--jobs", type=int, default=2, help="parallel processes (default 2)")
    ap.add_argument("--details", type=int, default=5, help="failures listed per jar and check (default 5)")
    ap.add_argument("--keep", metavar="DIR", help="work in DIR and keep it")
    ap.add_argument("--tmp", metavar="DIR", default="/dev/shm" if os.path.isdir("/dev/shm") else None,
                    help="make the work directory in DIR (default: %(default)s, memory-backed, so that the "
                         "speed figures time jad and not the state of the disk's file system)")
    args = ap.parse_args()

    jad = os.path.abspath(args.jad or os.path.join(args.build, "jad", "jad"))
    if not os.access(jad, os.X_OK):
        sys.exit("engine_jars: no jad at %s (build the jad target, or pass --jad)" % jad)
    outline = None
    if not args.no_outline and not args.modern:
        cand = os.path.abspath(args.outline or os.path.join(args.build, "zefra-outline"))
        if os.access(cand, os.X_OK):
            outline = cand
    if args.keep:
        work = os.path.abspath(args.keep)
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
    else:
        work = tempfile.mkdtemp(prefix="engine-jars-", dir=args.tmp)
    started = time.time()
    load = os.getloadavg()[0]
    reports = []
    try:
        compiler_dir = None if args.no_compile else prepare_compiler(work)
        with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
            for name in args.jars.split(","):
                jar = find_jar(name)
                if jar is None:
                    print("engine_jars: no jar %s, skipped" % name, file=sys.stderr)
                    continue
                label = os.path.basename(name)[:-4] if name.endswith(".jar") else name
                t0 = time.time()
                reports.append(bench_jar(label, jar, jad, outline, work, args, pool, compiler_dir))
                print("%s done in %.0f s" % (label, time.time() - t0), file=sys.stderr, flush=True)
        print_report(reports, outline, compiler_dir is not None, args.details, args.modern)
        print("\njad %s, %d jars in %.0f s; load average %.1f at the start, %.1f at the end; work in %s"
              % (jad, len(reports), time.time() - started, load, os.getloadavg()[0], os.path.dirname(work)))
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
    return 1 if any(r.jad_failed for r in reports) else 0


if __name__ == "__main__":
    sys.exit(main())
