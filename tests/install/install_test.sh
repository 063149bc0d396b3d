#!/bin/sh
# `cmake --install` into a scratch prefix: the viewer with its engine beside
# it, a command on the PATH, the desktop entry and its icon.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install: $*" >&2; exit 1; }
home=$(find "$prefix" -type f -name zefra -path '*/zefra/zefra')
[ -n "$home" ] || fail "no zefra program below $prefix"
[ -x "$(dirname "$home")/jad/jad" ] || fail "no engine at jad/jad beside $home"
[ -L "$prefix/bin/zefra" ] || fail "no link $prefix/bin/zefra"
[ "$(readlink -f "$prefix/bin/zefra")" = "$(readlink -f "$home")" ] || fail "bin/zefra does not lead to $home"

desktop=$prefix/share/applications/zefra.desktop
[ -f "$desktop" ] || fail "no $desktop"
grep -qx 'Name=Zefra' "$desktop" || fail "the desktop entry has no Name=Zefra"
grep -qx 'Exec=zefra %f' "$desktop" || fail "the desktop entry does not start zefra with the file"
grep -qx 'Icon=zefra' "$desktop" || fail "the desktop entry names no icon"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
icon=$prefix/share/icons/hicolor/scalable/apps/zefra.svg
[ -f "$icon" ] || fail "no $icon"
grep -q '<svg' "$icon" || fail "$icon is not an SVG picture"
echo "install: ok"
