#!/usr/bin/env bash
# Builds the toolbar demo and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/theme/<look>.png (Wine's own visual style) and
# DIR/plain/<look>.png (visual styles off) for the five looks and quits;
# without DIR the windows stay up to be tried with the mouse and keys.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build" --target suite_bars_toolbar_demo
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  trap stop_display EXIT
fi
exe="$SONVELT_BUILD_DIR/tests/suite_bars_toolbar_demo/suite_bars_toolbar_demo.exe"
if [ $# -ge 1 ]; then
  for mode in theme plain; do
    dir=$(realpath -m "$1/$mode")
    mkdir -p "$dir"
    flag=""
    [ $mode = plain ] && flag="--no-theme"
    wine "$exe" --screenshots "$(winepath -w "$dir")" $flag
    for bmp in "$dir"/*.bmp; do
      convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
  done
else
  wine "$exe"
fi
