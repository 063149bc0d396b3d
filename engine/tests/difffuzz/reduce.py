"""Cuts a failing generated program down to a small case that fails the same way.

Delta debugging over the generator's tree: in every block (a class body, a
method body, a loop body...) chunks of statements and members are left out,
halving the chunk size down to one, for as long as the program still
compiles, still ends, and still fails with the same kind of failure; passes
repeat until nothing more can go. A unit and its call in main go together.
"""

import concurrent.futures
import os
import re
import shutil
import tempfile

import gen
import roundtrip

RUN_TIMEOUT = 20
JAD_TIMEOUT = 30
# Small single programs: a JVM that starts fast beats one that optimizes.
JAVAC = ["javac", "-J-XX:TieredStopAtLevel=1", "-J-Xshare:auto", "-nowarn", "-encoding", "UTF-8"]
JAVA = ["java", "-XX:TieredStopAtLevel=1", "-Xshare:auto"]
FALLBACK_MARK = 'throw new RuntimeException("not decompiled'


def signature(kind, detail):
    """What must stay the same while cutting: the kind, and for compile and
    engine errors the message without its positions and names."""
    if kind in ("recompile", "jad-exit", "fallback"):
        msg = detail.split(": ", 1)[-1] if kind == "recompile" else detail
        msg = re.sub(r"[A-Za-z_$][\w$]*\d+", "N", msg)
        return kind, re.sub(r"\d+", "N", msg)
    return kind, ""


def check(text, cls, options, jad, tmp, jad_options=(), jdk=""):
    """None when the program round-trips; else (kind, detail), kind being
    "generator" when the original itself fails. jdk prefixes javac and java."""
    javac = [jdk + JAVAC[0]] + JAVAC[1:]
    java = [jdk + JAVA[0]] + JAVA[1:]
    d = tempfile.mkdtemp(dir=tmp)
    try:
        src = os.path.join(d, cls + ".java")
        with open(src, "w", encoding="utf-8") as f:
            f.write(text)
        classes, out, rec = (os.path.join(d, x) for x in ("c", "o", "r"))
        for x in (classes, out, rec):
            os.makedirs(x)
        rc, so, se = roundtrip.run(javac + ["-d", classes] + options + [src], 120)
        if rc != 0:
            return ("generator", "does not compile: " + roundtrip.first_line(se or so))
        exp = roundtrip.run(java + ["-cp", classes, cls], RUN_TIMEOUT)
        if exp[0] is None:
            return ("generator", "original does not end")
        files = [os.path.join(classes, f) for f in sorted(os.listdir(classes))]
        rc, so, se = roundtrip.run([jad, "-o", "-d" + out] + list(jad_options) + files, JAD_TIMEOUT)
        if rc is None:
            return ("jad-hang", "")
        if rc < 0:
            return ("jad-crash", "signal %d" % -rc)
        if rc != 0:
            return ("jad-exit", roundtrip.first_line(se))
        dsrc = os.path.join(out, cls + ".java")
        if not os.path.isfile(dsrc):
            return ("jad-exit", "no output")
        rc, so, se = roundtrip.run(javac + ["-d", rec, dsrc], 120)
        if rc != 0:
            text = (so + se).decode("utf-8", "replace")
            m = re.search(r"error: (.*)", text)
            return ("recompile", "x: " + (m.group(1) if m else roundtrip.first_line(text)))
        act = roundtrip.run(java + ["-cp", rec, cls], RUN_TIMEOUT)
        if act[0] is None:
            return ("timeout", "")
        if act[0] == exp[0] and act[1] == exp[1]:
            return None
        with open(dsrc, encoding="utf-8", errors="replace") as f:
            decompiled = f.read()
        at = decompiled.find(FALLBACK_MARK)
        if at >= 0:
            return ("fallback", decompiled[at + len(FALLBACK_MARK):decompiled.find("\n", at)].strip(" :\");\r"))
        return ("wrong-output", roundtrip.describe_difference(exp[1], act[1]))
    finally:
        shutil.rmtree(d, ignore_errors=True)


def blocks(node, skip):
    for part in node.parts:
        if isinstance(part, gen.Block):
            yield part
            for item in part.items:
                if id(item) not in skip:
                    yield from blocks(item, skip)


def reduce_tree(root, interesting, budget):
    """The set of node ids to leave out, and the number of checks made."""
    groups = {}
    for node in gen.walk(root):
        if node.group:
            groups.setdefault(node.group, []).append(node)
    skip = set()
    current = gen.program_text(root)
    tests = 0
    changed = True
    while changed and tests < budget:
        changed = False
        for block in list(blocks(root, skip)):
            items = [it for it in block.items if id(it) not in skip and it.removable]
            size = max(1, len(items) // 2)
            while size >= 1 and items and tests < budget:
                i = 0
                while i < len(items) and tests < budget:
                    chunk = items[i:i + size]
                    cand = set(skip)
                    for it in chunk:
                        cand.add(id(it))
                        for mate in groups.get(it.group, ()) if it.group else ():
                            cand.add(id(mate))
                    text = gen.program_text(root, cand)
                    same = text == current
                    tests += not same
                    if same or interesting(text):
                        current = text
                        skip = cand
                        items = items[:i] + items[i + size:]
                        changed = True
                    else:
                        i += size
                size //= 2
    return skip, tests


def reduce_one(seed, mode, kind, detail, options, jad, args, outdir):
    cls, root = gen.generate(seed, args.exclude, level=getattr(args, "level", None))
    jad_options = ["-m"] if mode in roundtrip.MODERN_MODES else []
    jdk = roundtrip.find_jdk(roundtrip.mode_release(options)) if "--release" in options else ""
    if jdk is None:
        return "seed %d %s %s: no JDK compiles for it" % (seed, mode, kind)
    tmp = tempfile.mkdtemp(prefix="jad-reduce-")
    try:
        want = signature(kind, detail)

        def interesting(text):
            got = check(text, cls, options, jad, tmp, jad_options, jdk)
            return got is not None and signature(*got) == want

        full = gen.program_text(root)
        if not interesting(full):
            return "seed %d %s %s: does not fail the same way alone" % (seed, mode, kind)
        skip, tests = reduce_tree(root, interesting, args.reduce_tests)
        text = gen.program_text(root, skip)
        got = check(text, cls, options, jad, tmp, jad_options, jdk)
        folder = os.path.join(outdir, kind)
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, cls + ".java")
        header = ("// Found by the differential fuzzer (seed %d, javac %s): %s\n// %s\n"
                  % (seed, " ".join(options), kind, (got or (kind, detail))[1][:150]))
        with open(path, "w", encoding="utf-8") as f:
            f.write(header + text.split("\n", 1)[1])
        return "seed %d %s %s: %d lines -> %d, %d checks, %s" % (
            seed, mode, kind, full.count("\n"), text.count("\n"), tests, path)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


def reduce_failures(failures, modes, jad, args, outdir):
    """Reduces the first failure of each seed, at most reduce_max per kind."""
    per_kind = {}
    todo = []
    seen = set()
    for seed, mode, kind, detail in failures:
        if seed in seen:
            continue
        seen.add(seed)
        if per_kind.get(kind, 0) >= args.reduce_max:
            continue
        per_kind[kind] = per_kind.get(kind, 0) + 1
        todo.append((seed, mode, kind, detail))
    print("reducing %d failing programs into %s" % (len(todo), outdir))
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        futures = [pool.submit(reduce_one, s, m, k, d, modes[m], jad, args, outdir) for s, m, k, d in todo]
        for f in futures:
            print("reduced " + f.result(), flush=True)
