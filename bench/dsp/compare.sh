#!/usr/bin/env bash
# Runs bench_dsp under Wine and, where sox is installed, the same effects with
# sox on the same 10-minute stereo file (reading and writing included), and
# prints both times and their ratio (ours / sox; below 1 is faster).
#   bench/dsp/compare.sh [minutes]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/env.sh"
"$root/scripts/build" --target bench_dsp >/dev/null
exe=$(find "$SONVELT_BUILD_DIR/bench/dsp" -name bench_dsp.exe | head -1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
WINEDEBUG=-all wine "$exe" "$(winepath -w "$work/signal.wav" 2>/dev/null)" "${1:-10}" | tr -d '\r' >"$work/ours.txt"

declare -A sox=(
  [amplify]="vol 0.25" [normalize]="norm" [compressor]="compand 0.005,0.1 -90,-90,-10,-10,0,-5"
  [noisereduction]="compand 0.001,0.02 -90,-270,-54,-54,0,0" [highpass]="highpass 200"
  [equalizer]="equalizer 31.25 1o 3 equalizer 62.5 1o 5.5 equalizer 125 1o 3 equalizer 250 1o 1.5 equalizer 6000 1o 3 equalizer 9000 1o 4 equalizer 12000 1o 5 equalizer 16000 1o 6"
  [echo]="echo 1 1 200 0.7" [reverb]="reverb" [fade]="fade t $(echo "${1:-10} * 60" | bc)" [speed]="speed 0.7" [pitch]="pitch 583"
  [phaser]="phaser 0.8 0.74 3 0.4 0.5 -t" [flanger]="flanger" [chorus]="chorus 0.7 0.9 55 0.4 0.25 2 -t"
  [mixstereo]="remix 1v0.8,2v0.2 1v0.2,2v0.8"
)
printf '%-16s %8s %8s %7s\n' effect ours sox ratio
while read -r name ours; do
  if command -v sox >/dev/null; then
    start=$(date +%s.%N)
    # shellcheck disable=SC2086
    sox -q "$work/signal.wav" "$work/out.wav" ${sox[$name]}
    took=$(echo "$(date +%s.%N) - $start" | bc)
    printf '%-16s %8.3f %8.3f %7.2f\n' "$name" "$ours" "$took" "$(echo "$ours / $took" | bc -l)"
  else
    printf '%-16s %8.3f %8s %7s\n' "$name" "$ours" - -
  fi
done <"$work/ours.txt"
