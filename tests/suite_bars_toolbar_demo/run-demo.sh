#!/usr/bin/env bash
# Builds the toolbar demo and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/theme/<look>.png (Wine's own visual style) and
# DIR/plain/<look>.png (visual styles off) for the five looks and quits;
# without DIR the windows stay up to be tried with the mouse and keys.
set -euo pipefail
source "$(dirname "$0")/../support/demo.sh"
demo_start suite_bars_toolbar_demo
demo_looks "$@"
