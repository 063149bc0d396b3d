#!/bin/sh
# The engine against the Debian jars: decompile, parse, compile and speed
# figures. Builds nothing: uses the jad and zefra-outline of a build tree
# (BUILD, default ./build). Extra arguments go to engine_jars.py.
#
#   engine_jars.sh --archive [engine_archive.py options]
# times `jad -o -r -d<dir> <jar>` on whole jars (guava by default) and the
# median start-up of one class, and parses every output.
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../build}
if [ ! -x "$build/jad/jad" ]; then
    echo "engine_jars.sh: no $build/jad/jad; build the jad target first (or set BUILD)" >&2
    exit 2
fi
if [ ! -x "$build/zefra-outline" ]; then
    echo "engine_jars.sh: no $build/zefra-outline; the parse and tree columns are skipped" >&2
fi
if [ "${1:-}" = --archive ]; then
    shift
    exec python3 "$here/engine_archive.py" --build "$build" "$@"
fi
exec python3 "$here/engine_jars.py" --build "$build" "$@"
