#!/bin/sh
# Two jad builds over the same classes, output compared byte for byte: the
# check that a change leaves a dialect's output as it was. Decompiles the
# Debian jars (and, with --javabase, the JDK's java.base module) with each
# build, under the plain command line and the viewer's options, and reports
# the files that differ.
#
#   bench/engine_compare.sh OLD_JAD NEW_JAD [--javabase] [--keep DIR] [-- jad options]
#
# Options after `--` are given to both builds (for instance -m, to compare
# the modern dialect between two builds).
set -e
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 2 ]; then
    echo "usage: engine_compare.sh OLD_JAD NEW_JAD [--javabase] [--keep DIR] [-- jad options]" >&2
    exit 2
fi
exec python3 "$here/engine_compare.py" "$@"
