#!/usr/bin/env bash
# Instructions (callgrind's count, steadier than a clock) for a whole jar in
# one call with the viewer's options on one thread, classic and modern, and
# the modern dialect's cost as a multiple of the classic one's.
#   bench/engine_instructions.sh [jar names or paths...]   (default: guava commons-lang3 commons-io)
# JAD names the binary (default build/jad/jad).
set -euo pipefail
cd "$(dirname "$0")/.."
jad=${JAD:-build/jad/jad}
command -v valgrind >/dev/null || { echo "engine_instructions.sh: needs valgrind" >&2; exit 2; }
[ -x "$jad" ] || { echo "engine_instructions.sh: no $jad; build the jad target first (or set JAD)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count() {  # jar, extra option
    valgrind --tool=callgrind --dump-instr=no --callgrind-out-file=/dev/null \
        "$jad" -ff -b -l80 -o -j1 $2 -r -d"$work/out" "$1" 2>&1 >/dev/null |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
printf '%-16s %14s %14s %7s\n' jar classic modern ratio
for name in "${@:-guava commons-lang3 commons-io}"; do
    for jar in $name; do
        [ -f "$jar" ] || jar=/usr/share/java/$jar.jar
        classic=$(count "$jar" "")
        modern=$(count "$jar" -m)
        printf '%-16s %14s %14s %7.3f\n' "$(basename "$jar" .jar)" "$classic" "$modern" \
            "$(echo "$modern / $classic" | bc -l)"
    done
done
