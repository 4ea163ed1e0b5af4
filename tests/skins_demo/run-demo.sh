#!/usr/bin/env bash
# Builds the skinned-controls demo and runs it under Wine on a private Xvfb
# display. "run-demo.sh DIR" saves DIR/skins-demo.png and quits.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build" --target skins_demo
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  trap stop_display EXIT
fi
exe="$SONVELT_BUILD_DIR/tests/skins_demo/skins_demo.exe"
if [ $# -ge 1 ]; then
  mkdir -p "$1"
  bmp=$(realpath -m "$1/skins-demo.bmp")
  wine "$exe" --screenshot "$(winepath -w "$bmp")"
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
else
  wine "$exe"
fi
