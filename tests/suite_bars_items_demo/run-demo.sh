#!/usr/bin/env bash
# Builds the bar items demo and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/toolbar.png, DIR/date-dropped.png,
# DIR/month-list.png, DIR/colour-dropped.png, DIR/tree-dropped.png and
# DIR/calendars.png and quits.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build" --target suite_bars_items_demo
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  trap stop_display EXIT
fi
exe="$SONVELT_BUILD_DIR/tests/suite_bars_items_demo/suite_bars_items_demo.exe"
if [ $# -ge 1 ]; then
  dir=$(realpath -m "$1")
  mkdir -p "$dir"
  wine "$exe" --screenshots "$(winepath -w "$dir")"
  for bmp in "$dir"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
else
  wine "$exe"
fi
