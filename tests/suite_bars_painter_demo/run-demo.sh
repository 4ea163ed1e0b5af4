#!/usr/bin/env bash
# Builds the bar-look gallery and runs it under Wine on a private Xvfb display.
# "run-demo.sh DIR" saves DIR/theme/<look>.png (Wine's own visual style) and
# DIR/plain/<look>.png (visual styles off) for the five looks and quits.
set -euo pipefail
source "$(dirname "$0")/../support/demo.sh"
demo_start suite_bars_painter_demo
demo_looks "$@"
