#!/usr/bin/env bash
# Builds the menu demo and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/theme/<look>.png (Wine's own visual style) and
# DIR/plain/<look>.png (visual styles off) of the open File menu with its nested
# menu (File heads its tear-off caption), for the looks "themed" and "standard",
# and quits.
set -euo pipefail
source "$(dirname "$0")/../support/demo.sh"
demo_start suite_bars_menu_demo
if [ $# -ge 1 ]; then
  for mode in theme plain; do
    mkdir -p "$1/$mode"
    for look in themed standard; do
      demo_shot "$1/$mode/$look.bmp" --look $look $(demo_theme_flag $mode)
    done
  done
else
  wine "$demo_exe"
fi
