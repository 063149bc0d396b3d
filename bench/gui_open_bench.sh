#!/usr/bin/env bash
# Benchmark of the viewer's open road: openDocument to a filled tree and
# editor for a Java text of 10,000 members (a stand-in engine copies the text),
# and the resident memory afterwards. Prints figures; never fails on time.
#   bench/gui_open_bench.sh [build-dir] [members]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
members="${2:-10000}"
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target zefra_gui_open_bench -j2 >/dev/null
for run in 1 2 3; do
  echo "--- run $run"
  QT_QPA_PLATFORM=offscreen "$build/bench/gui/zefra_gui_open_bench" "$members" 2>/dev/null
done
