#!/usr/bin/env bash
# The modern grammar over the JDK's own sources: every file of java.base from
# the newest src.zip under /usr/lib/jvm (or the one given), parsed one by one.
# Usage: bench/parser_javabase.sh [src.zip [build-dir]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
zip="${1:-$(ls -1 /usr/lib/jvm/*/lib/src.zip /usr/lib/jvm/*/src.zip 2>/dev/null | sort -V | tail -1)}"
build="${2:-$root/build}"
if [ -z "$zip" ] || [ ! -f "$zip" ]; then
  echo "no src.zip found under /usr/lib/jvm" >&2
  exit 1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" 'java.base/*' -d "$work"
echo "sources: $zip"
"$root/bench/parser_bench.sh" "$build" "$work/java.base"
