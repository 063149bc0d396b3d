#!/usr/bin/env python3
"""The engine over every class of the JDK's java.base module.

Decompiles all classes in batches (throughput), then each class in a process
of its own (exit status, time, peak memory). Reports failures (exit 1),
crashes (any other status, signals, time-outs), the slowest classes, peak
memory and the share of fallback bodies.
"""

import argparse
import collections
import concurrent.futures
import os
import re
import statistics
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import engine_classfile as cf  # noqa: E402
from engine_jars import FALLBACK_MARK, FALLBACK_REASON, confirm_slowest, run_child  # noqa: E402

OPTIONS = ["-ff", "-b", "-l80", "-o"]
UNREAD_SIGNATURE = "generic signature not readable"
UNFIT_SIGNATURE = "generic signature does not fit the descriptor"


def describe(status, err):
    if status is None:
        return "time-out"
    if status < 0:
        return "signal %d" % -status
    return "exit %d: %s" % (status, err.decode("utf-8", "replace").strip().splitlines()[0][:120]
                            if err.strip() else "")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--jad", required=True)
    ap.add_argument("--classes", required=True, help="the extracted module (its root holds java/...)")
    ap.add_argument("--out", required=True, help="directory for the decompiled files")
    ap.add_argument("--batch", type=int, default=500, help="classes per jad call (default 500)")
    ap.add_argument("--sample", type=int, default=0,
                    help="classes to run one process each (default 0: every class)")
    ap.add_argument("--timeout", type=int, default=30, help="seconds allowed per class (default 30)")
    ap.add_argument("-j", "--jobs", type=int, default=2)
    ap.add_argument("--details", type=int, default=10)
    ap.add_argument("--modern", action="store_true",
                    help="decompile with -m, and count the generic signatures that did not read")
    args = ap.parse_args()
    if args.modern:
        OPTIONS.append("-m")

    files = []
    for root, _, names in os.walk(args.classes):
        for n in names:
            if n.endswith(".class"):
                files.append(os.path.join(root, n))
    files.sort()
    if not files:
        sys.exit("engine_javabase: no class files under %s" % args.classes)
    load = os.getloadavg()[0]
    started = time.time()
    batch_out = os.path.join(args.out, "batch")
    single_out = os.path.join(args.out, "single")
    os.makedirs(batch_out, exist_ok=True)
    os.makedirs(single_out, exist_ok=True)

    # Batches: throughput, and the exit status of every batch.
    batches = [files[i:i + args.batch] for i in range(0, len(files), args.batch)]

    def run_batch(chunk):
        return chunk, run_child([args.jad] + OPTIONS + ["-r", "-d" + batch_out] + chunk,
                                timeout=args.timeout * len(chunk))

    batch_seconds = 0.0
    batch_rss = 0
    batch_crashes = []
    batch_failed = {}
    t0 = time.perf_counter()
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        for chunk, (status, ms, rss, err) in pool.map(run_batch, batches):
            batch_seconds += ms / 1000.0
            batch_rss = max(batch_rss, rss)
            if status not in (0, 1):
                batch_crashes.append((chunk[0], describe(status, err)))
            for line in err.decode("utf-8", "replace").splitlines():
                if ": " in line:
                    path, reason = line.split(": ", 1)
                    batch_failed[os.path.abspath(path)] = reason
    batch_wall = time.perf_counter() - t0

    # One process per class.
    sample = files
    if args.sample and args.sample < len(files):
        step = len(files) / float(args.sample)
        sample = [files[int(i * step)] for i in range(args.sample)]

    def single(path):
        return path, run_child([args.jad] + OPTIONS + ["-sjava", "-d" + single_out, path],
                               timeout=args.timeout)

    per_class = {}
    rss_all = []
    failures = []
    crashes = []
    biggest = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        for path, (status, ms, rss, err) in pool.map(single, sample):
            rel = os.path.relpath(path, args.classes)
            per_class[path] = ms
            rss_all.append(rss)
            biggest.append((rss, rel))
            if status == 1:
                failures.append((rel, describe(status, err)))
            elif status != 0:
                crashes.append((rel, describe(status, err)))
    confirm_slowest(per_class, lambda path: single(path)[1][1])
    times = list(per_class.values())
    slowest = sorted(((ms, os.path.relpath(path, args.classes)) for path, ms in per_class.items()),
                     reverse=True)
    biggest.sort(reverse=True)

    # Fallback bodies in the batch output of the top-level classes.
    methods = fallbacks = 0
    signatures = unread = unfit = 0
    unread_examples = []
    reasons = collections.Counter()
    for path in files:
        rel = os.path.relpath(path, args.classes)[:-6]
        try:
            with open(path, "rb") as f:
                info = cf.parse(f.read())
        except (OSError, cf.ClassFormat):
            continue
        signatures += info.signatures
        if info.flags & cf.ACC_SYNTHETIC:
            continue
        plain = {(m.name, m.params) for m in info.methods if not m.bridge}
        for m in info.methods:
            if m.has_code and (not m.synthetic or m.name.startswith("lambda$")
                               or (m.bridge and (m.name, m.params) not in plain)):
                methods += 1
        if info.is_nested:
            continue
        try:
            with open(os.path.join(batch_out, rel + ".java"), encoding="utf-8", errors="replace") as f:
                text = f.read()
        except OSError:
            continue
        fallbacks += text.count(FALLBACK_MARK)
        for line in text.splitlines():
            if UNFIT_SIGNATURE in line:
                unfit += 1
                if len(unread_examples) < args.details:
                    unread_examples.append("%s: %s" % (rel, line.strip()[:150]))
            if UNREAD_SIGNATURE in line:
                unread += 1
                if len(unread_examples) < args.details:
                    unread_examples.append("%s: %s" % (rel, line.strip()[:150]))
        for reason in FALLBACK_REASON.findall(text):
            reasons[re.sub(r"\d+", "N", reason)[:70]] += 1

    lat = sorted(times)
    print("java.base: %d classes from %s" % (len(files), args.classes))
    print("%-34s %s" % ("batches (%d classes per call)" % args.batch,
                        "%d calls, %.1f s of jad, %.1f s wall, %.0f classes/s, peak RSS %.1f MB"
                        % (len(batches), batch_seconds, batch_wall,
                           len(files) / batch_seconds if batch_seconds else 0, batch_rss / 1024.0)))
    print("%-34s %d" % ("batch calls that crashed", len(batch_crashes)))
    print("%-34s %d" % ("classes run one process each", len(sample)))
    print("%-34s %d" % ("failures (exit 1)", len(failures)))
    print("%-34s %d" % ("crashes (signal, exit > 1, hang)", len(crashes)))
    if lat:
        print("%-34s median %.1f ms, p95 %.1f ms, max %.1f ms" % (
            "time per process", statistics.median(lat), lat[int(0.95 * (len(lat) - 1))], lat[-1]))
        print("%-34s max %.1f MB, median %.1f MB" % (
            "peak RSS per process", max(rss_all) / 1024.0, statistics.median(rss_all) / 1024.0))
    print("%-34s %d of %d methods (%.2f%%)" % ("fallback bodies", fallbacks, methods,
                                                100.0 * fallbacks / methods if methods else 0))
    if args.modern:
        print("%-34s %d; %d did not read, %d did not fit the descriptor (printed erased, with a note)"
              % ("generic signatures", signatures, unread, unfit))
        for example in unread_examples:
            print("  unread   " + example)
    print("slowest: " + ", ".join("%s %.0f ms" % (n, ms) for ms, n in slowest[:args.details]))
    print("most memory: " + ", ".join("%s %.1f MB" % (n, r / 1024.0) for r, n in biggest[:5]))
    for rel, why in crashes[:args.details]:
        print("  crash    %s: %s" % (rel, why))
    for first, why in batch_crashes[:args.details]:
        print("  batch    from %s: %s" % (os.path.relpath(first, args.classes), why))
    for rel, why in failures[:args.details]:
        print("  failure  %s: %s" % (rel, why))
    for reason, n in reasons.most_common(5):
        print("  fallback %5d x %s" % (n, reason))
    print("load average %.1f at the start, %.1f at the end; %.0f s in all"
          % (load, os.getloadavg()[0], time.time() - started))
    return 1 if crashes or batch_crashes else 0


if __name__ == "__main__":
    sys.exit(main())
