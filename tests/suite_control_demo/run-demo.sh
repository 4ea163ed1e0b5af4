#!/usr/bin/env bash
# Builds the base-control demonstration and runs it under Wine on a private Xvfb
# display. "run-demo.sh shot.bmp" saves a picture of the window and quits.
exec "$(dirname "$0")/../support/run-demo.sh" suite_control_demo "$@"
