#!/usr/bin/env bash
# Differential fuzzing of the engine: generated programs compiled three ways,
# decompiled, recompiled and run; prints the figures by kind and compilation,
# and cuts each failing program down to a small case under WORK/difffuzz-reduced.
#   bench/engine_difffuzz.sh --seeds 1-2000 [--exclude FAMILY,...] [difffuzz.py options]
# JAD names the binary (default build/jad/jad), DIFFFUZZ_WORK the work
# directory (default build/difffuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
jad=${JAD:-build/jad/jad}
if [ ! -x "$jad" ]; then
    echo "engine_difffuzz.sh: no $jad; build the jad target first (or set JAD)" >&2
    exit 2
fi
work=${DIFFFUZZ_WORK:-build/difffuzz}
mkdir -p "$work"
rc=0
python3 engine/tests/difffuzz/difffuzz.py --jad "$jad" --work "$work" --reduce "$@" || rc=$?
# 1 means failures were found and reported; anything else is a broken run.
[ "$rc" -le 1 ] || exit "$rc"
