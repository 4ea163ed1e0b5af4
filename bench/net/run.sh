#!/usr/bin/env bash
# Builds bench_net and runs it under Wine with a private display (the clients'
# hidden windows need one). Without arguments it compares both clients with
# plain blocking Winsock and prints the medians and ratios (ours / plain);
# arguments go to the program:
#   bench/net/run.sh [compare-mail|compare-download|mail|mail-plain|download|download-plain] [rounds]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/env.sh"
"$root/scripts/build" --target bench_net >/dev/null || exit 1
exe=$(find "$SONVELT_BUILD_DIR/bench/net" -name bench_net.exe | head -1)
source "$root/scripts/lib/display.sh"
start_display
trap 'stop_wineserver; stop_display' EXIT
start_wineserver
wine "$exe" "$@" | tr -d '\r'
