#!/usr/bin/env bash
# Benchmark of the viewer's archive road with the real engine: start-up to a
# filled package tree, then one class chosen to its text and tree. Prints
# figures; never fails on time.
#   bench/gui_archive_bench.sh [build-dir] [archive] [class]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
archive="${2:-/usr/share/java/guava.jar}"
class="${3:-com.google.common.collect.ImmutableList}"
cmake --build "$build" --target zefra_gui_archive_bench jad -j2 >/dev/null
for run in 1 2 3; do
  echo "--- run $run"
  QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/zefra_gui_archive_bench" "$archive" "$class" 2>/dev/null
done
