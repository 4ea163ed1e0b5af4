#!/usr/bin/env bash
# Builds a demonstration program and runs it under Wine on a private Xvfb display:
#   run-demo.sh TARGET [shot.bmp]
# With a file name it saves a picture of the window there and quits.
set -euo pipefail
source "$(dirname "$0")/demo.sh"
demo_start "$1"
shift
if [ $# -ge 1 ]; then
  wine "$demo_exe" --screenshot "$(winepath -w "$(realpath -m "$1")")"
else
  wine "$demo_exe"
fi
