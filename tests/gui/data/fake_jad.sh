#!/bin/sh
# Stand-in for the decompiler engine in the viewer's tests and benchmark: the
# "class file" already holds the Java text, which is written out behind a
# header comment, as the engine would. A file whose name holds "engine-fails"
# makes it fail. Every run is logged in jad/runs.log, a run with -m also in
# jad/modern-runs.log.
for path; do :; done
name=$(basename "$path")
case "$name" in *engine-fails*) exit 1 ;; esac
mkdir -p jad/tmp
echo "$path" >> jad/runs.log
for option; do [ "$option" = -m ] && echo "$path" >> jad/modern-runs.log; done
{ printf '// Decompiled for a test.\r\n\r\n'; cat "$path"; } > "jad/tmp/${name%.*}.java"
