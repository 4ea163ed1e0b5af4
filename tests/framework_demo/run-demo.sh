#!/usr/bin/env bash
# Builds the demonstration program and runs it under Wine on a private Xvfb
# display. "run-demo.sh shot.bmp" saves a picture of the window and quits.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build" --target framework_demo
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  trap stop_display EXIT
fi
exe="$SONVELT_BUILD_DIR/tests/framework_demo/framework_demo.exe"
if [ $# -ge 1 ]; then
  wine "$exe" --screenshot "$(winepath -w "$(realpath -m "$1")")"
else
  wine "$exe"
fi
