#!/usr/bin/env bash
# Builds the navigation-bar gallery and runs it under Wine on a private Xvfb
# display. "run-demo.sh DIR" saves DIR/navbar-theme.png (Wine's own visual
# style) and DIR/navbar-plain.png (visual styles off) and quits.
set -euo pipefail
source "$(dirname "$0")/../support/demo.sh"
demo_start suite_navbar_demo
if [ $# -ge 1 ]; then
  demo_theme_shots "$1" navbar
else
  wine "$demo_exe"
fi
