#!/usr/bin/env bash
# Builds the skinned-controls demo and runs it under Wine on a private Xvfb
# display. "run-demo.sh DIR" saves DIR/skins-demo.png and quits.
set -euo pipefail
source "$(dirname "$0")/../support/demo.sh"
demo_start skins_demo
if [ $# -ge 1 ]; then
  mkdir -p "$1"
  demo_shot "$1/skins-demo.bmp"
else
  wine "$demo_exe"
fi
