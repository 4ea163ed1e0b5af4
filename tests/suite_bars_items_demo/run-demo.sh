#!/usr/bin/env bash
# Builds the bar items demo and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/toolbar.png, DIR/date-dropped.png,
# DIR/month-list.png, DIR/colour-dropped.png, DIR/tree-dropped.png,
# DIR/calendars.png, DIR/date-dialog.png, DIR/image-dialog.png and
# DIR/tree-dialog.png, DIR/group-items-dialog.png, DIR/name-dialog.png,
# DIR/new-item-dialog.png and DIR/submenu-editor.png and quits.
set -euo pipefail
source "$(dirname "$0")/../support/demo.sh"
demo_start suite_bars_items_demo
if [ $# -ge 1 ]; then
  demo_shots "$1"
else
  wine "$demo_exe"
fi
