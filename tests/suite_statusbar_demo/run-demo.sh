#!/usr/bin/env bash
# Builds the status-bar gallery and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/statusbar-theme.png (Wine's own visual style) and
# DIR/statusbar-plain.png (visual styles off) and quits.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build" --target suite_statusbar_demo
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  trap stop_display EXIT
fi
exe="$SONVELT_BUILD_DIR/tests/suite_statusbar_demo/suite_statusbar_demo.exe"
if [ $# -ge 1 ]; then
  mkdir -p "$1"
  for mode in theme plain; do
    bmp=$(realpath -m "$1/statusbar-$mode.bmp")
    flag=""
    [ $mode = plain ] && flag="--no-theme"
    wine "$exe" --screenshot "$(winepath -w "$bmp")" $flag
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
else
  wine "$exe"
fi
