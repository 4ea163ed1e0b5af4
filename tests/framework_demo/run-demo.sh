#!/usr/bin/env bash
# Builds the demonstration program and runs it under Wine on a private Xvfb
# display. "run-demo.sh shot.bmp" saves a picture of the window and quits.
exec "$(dirname "$0")/../support/run-demo.sh" framework_demo "$@"
