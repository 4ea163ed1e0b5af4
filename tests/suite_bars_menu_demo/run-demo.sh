#!/usr/bin/env bash
# Builds the menu demo and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/theme/<look>.png (Wine's own visual style) and
# DIR/plain/<look>.png (visual styles off) of the open File menu with its nested
# menu, for the looks "themed" and "standard", and quits.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build" --target suite_bars_menu_demo
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  trap stop_display EXIT
fi
exe="$SONVELT_BUILD_DIR/tests/suite_bars_menu_demo/suite_bars_menu_demo.exe"
if [ $# -ge 1 ]; then
  for mode in theme plain; do
    dir=$(realpath -m "$1/$mode")
    mkdir -p "$dir"
    for look in themed standard; do
      flag=""
      [ $mode = plain ] && flag="--no-theme"
      wine "$exe" --look $look --screenshot "$(winepath -w "$dir/$look.bmp")" $flag
      convert "$dir/$look.bmp" "$dir/$look.png" && rm -f "$dir/$look.bmp"
    done
  done
else
  wine "$exe"
fi
