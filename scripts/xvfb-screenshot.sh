#!/usr/bin/env bash
# Looks at the real window on a virtual X display: starts the viewer on a
# class file under Xvfb and saves a picture of its main window.
# Usage: scripts/xvfb-screenshot.sh <picture.png> <file.class> [--modern]
# Needs xvfb (apt-get install xvfb xauth) and a build in build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
picture="$(realpath -m "$1")"; shift
class="$(realpath -m "$1")"; shift
cd "$here/build"
exec xvfb-run -a -s "-screen 0 1280x900x24" ./zefra_window_grab "$picture" "$class" "$@"
