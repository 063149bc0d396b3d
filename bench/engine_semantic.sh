#!/bin/sh
# The engine against commons-lang3's own test suite: every top-level class of
# Debian's commons-lang3 jar is decompiled with this build's jad, recompiled
# alone, and the recompiled classes are put in front of the original jar
# while the project's JUnit suite runs. A test that passes twice on the
# original classes and fails with ours names a class whose output compiles
# but means something else. Prints the figures: classes substituted, tests
# run, failing tests by test class and the class causing them, and the
# classes that did not recompile with their javac error kinds.
#
# usage: bench/engine_semantic.sh [JAD OPTIONS...]    e.g. -m for the modern dialect
# environment:
#   BUILD        build tree with jad/jad (default: ./build of this repository)
#   SEM_HARNESS  the harness folder (default: ../shared/semantic beside the repository)
#   SEM_WORK     its work folder, outside the source tree
#                (default: ${XDG_CACHE_HOME:-$HOME/.cache}/zefra-semantic)
#   SEM_NAME     the run's name under SEM_WORK (default: ours, ours-modern with -m)
# The first run sets the work folder up (source package, test build, two
# baseline runs: about four minutes); a run takes about six more on 2 cores.
# Needs the test jars from Debian (junit5 libhamcrest-java libeasymock-java
# libobjenesis-java libbyte-buddy-java libasm-java libopentest4j-java
# libapiguardian-java libjsr305-java junit4) and a deb-src entry for
# `apt-get source`; nothing is installed from here.
set -e
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
build=${BUILD:-$repo/build}
jad="$build/jad/jad"
harness=${SEM_HARNESS:-$repo/../shared/semantic}
export SEM_WORK="${SEM_WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/zefra-semantic}"
export SEM_NO_APT=1

if [ ! -x "$jad" ]; then
    echo "engine_semantic.sh: no $jad; build the jad target first (or set BUILD)" >&2
    exit 2
fi
if [ ! -x "$harness/run.sh" ]; then
    echo "engine_semantic.sh: no harness at $harness (set SEM_HARNESS)" >&2
    exit 2
fi
case "$SEM_WORK" in
    "$repo"|"$repo"/*) echo "engine_semantic.sh: SEM_WORK must lie outside the source tree" >&2; exit 2 ;;
esac
missing=
for p in libcommons-lang3-java junit5 libhamcrest-java libeasymock-java libobjenesis-java \
         libbyte-buddy-java libasm-java libopentest4j-java libapiguardian-java libjsr305-java junit4; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "engine_semantic.sh: missing Debian packages:$missing" >&2
    echo "  apt-get install$missing" >&2
    exit 2
fi

case " $* " in
    *" -m "*) name=${SEM_NAME:-ours-modern} ;;
    *) name=${SEM_NAME:-ours} ;;
esac

if [ ! -f "$SEM_WORK/baseline/summary.json" ]; then
    echo "setting up $SEM_WORK (once)"
    "$harness/setup.sh" >"$SEM_WORK.setup.log" 2>&1 || {
        echo "engine_semantic.sh: setup failed, see $SEM_WORK.setup.log" >&2
        exit 1
    }
fi

log="$SEM_WORK/$name.log"
mkdir -p "$SEM_WORK"
echo "running $name: $jad $* (log: $log)"
"$harness/run.sh" "$name" "$jad" "$@" -o '-d{pkgout}' -sjava '{cls}' >"$log" 2>&1 || {
    echo "engine_semantic.sh: run failed, see $log" >&2
    exit 1
}

# The report's figures and its table of failures by class.
cat "$SEM_WORK/$name/report.md"
echo
echo "Not recompiled (javac error kinds):"
awk -F'\t' '$2 != "ok" {
    n = split($4, codes, ",")
    delete seen
    kinds = ""
    for (i = 1; i <= n; i++) {
        c = codes[i]; sub(/^compiler\.err\./, "", c)
        if (c != "" && !(c in seen)) { seen[c] = 1; kinds = kinds (kinds == "" ? "" : ", ") c }
    }
    sub(/\.class$/, "", $1)
    printf "  %s (%s): %s\n", $1, $2, kinds
}' "$SEM_WORK/$name/recompile.tsv"
