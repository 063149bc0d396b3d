#!/bin/sh
# The engine over every class of the JDK's java.base module, extracted with
# jimage into a temporary directory. Builds nothing: uses BUILD/jad/jad
# (BUILD default ./build). Extra arguments go to engine_javabase.py.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../build}
jad=$build/jad/jad
if [ ! -x "$jad" ]; then
    echo "engine_javabase.sh: no $jad; build the jad target first (or set BUILD)" >&2
    exit 2
fi
java_home=${JAVA_HOME:-$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")}
modules=$java_home/lib/modules
jimage=$java_home/bin/jimage
[ -x "$jimage" ] || jimage=jimage
if [ ! -f "$modules" ]; then
    echo "engine_javabase.sh: no module image at $modules (set JAVA_HOME)" >&2
    exit 2
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/engine-javabase.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
"$jimage" extract --dir "$work/image" --include 'regex:/java\.base/.*' "$modules"
python3 "$here/engine_javabase.py" --jad "$jad" --classes "$work/image/java.base" --out "$work/out" "$@"
