#!/usr/bin/env bash
# Builds a demonstration program and runs it under Wine on a private Xvfb display:
#   run-demo.sh TARGET [shot.bmp]
# With a file name it saves a picture of the window there and quits.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
target=$1
shift
"$root/scripts/build" --target "$target"
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  trap stop_display EXIT
fi
exe=$(find "$SONVELT_BUILD_DIR/tests" -name "$target.exe" | head -n 1)
if [ $# -ge 1 ]; then
  wine "$exe" --screenshot "$(winepath -w "$(realpath -m "$1")")"
else
  wine "$exe"
fi
