#!/bin/sh
# Stand-in for the decompiler engine in the viewer's tests and benchmark: the
# "class file" already holds the Java text, which is written out behind a
# header comment, as the engine would. The file's name steers it:
# "engine-fails" fails with a reason on standard error, "engine-sleeps" takes
# ten seconds first, "engine-writes-nothing" ends well without writing.
# Every run is logged in jad/runs.log, a run with -m also in jad/modern-runs.log.
for path; do :; done
name=$(basename "$path")
case "$name" in *engine-fails*) echo "fake engine: cannot read $name" >&2; exit 1 ;; esac
mkdir -p jad/tmp
echo "$path" >> jad/runs.log
for option; do [ "$option" = -m ] && echo "$path" >> jad/modern-runs.log; done
case "$name" in *engine-sleeps*) sleep 10 ;; esac
case "$name" in *engine-writes-nothing*) exit 0 ;; esac
{ printf '// Decompiled for a test.\r\n\r\n'; cat "$path"; } > "jad/tmp/${name%.*}.java"
