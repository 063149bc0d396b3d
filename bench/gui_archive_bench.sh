#!/usr/bin/env bash
# Benchmark of the viewer's archive road with the real engine under Xvfb (or
# offscreen without it): start to the window shown with its package tree, one
# class chosen to its text and tree, a search over every class. Prints
# figures; never fails on time.
#   bench/gui_archive_bench.sh [build-dir] [archive] [class] [search text]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
archive="${2:-/usr/share/java/guava.jar}"
class="${3:-com.google.common.collect.ImmutableList}"
text="${4:-checkNotNull}"
cmake --build "$build" --target zefra_gui_archive_bench jad -j2 >/dev/null
run_bench() {
  if command -v xvfb-run >/dev/null && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  else
    QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$@"
  fi
}
for run in 1 2 3; do
  echo "--- run $run"
  run_bench "$build/zefra_gui_archive_bench" "$archive" "$class" "$text" 2>/dev/null
done
