#!/usr/bin/env bash
# Scanner+parser throughput of both grammars and tree build time.
# Usage: bench/parser_bench.sh [build-dir [java-source-dir...]]   (default: build)
# Each source directory is parsed file by file with the modern grammar.
# Builds the pipeline library in the build dir if needed, compiles the bench
# program against it and prints the figures.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEFRA_GUI=OFF >/dev/null
fi
cmake --build "$build" --target zefra_pipeline >/dev/null
program="$build/parser_bench"
"${CXX:-g++}" -std=c++17 -O2 -I"$root/src" "$root/bench/parser_bench.cpp" \
  "$build/src/decompiler/libzefra_pipeline.a" "$build/src/libzefra_foundation.a" -o "$program"
shift || true
"$program" "$@"
