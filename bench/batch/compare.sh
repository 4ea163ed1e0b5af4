#!/usr/bin/env bash
# The batch converter's whole road against sox, file to file, whole process
# against whole process: bench_batch (a hidden batch window converting the
# signal with a one-command list into a 16-bit WAV file) and "sox in.wav
# out.wav EFFECT" on the same 10-minute stereo 44.1 kHz 16-bit signal that
# bench_dsp writes, on the same disk, reading and writing included on both
# sides. One warm-up round, then RUNS rounds in turn; prints the medians of
# wall seconds and of the round by round ratio (batch / sox, at most 1.00 is
# the goal) and the peak memory. The batch output's length is checked and must
# differ from the input; a failed or wrong run prints FAILED, never a figure,
# and makes the script exit non-zero.
#   bench/batch/compare.sh [minutes] [runs] [effect ...]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/env.sh"
source "$root/scripts/lib/display.sh"
source "$root/bench/lib/paired.sh"
minutes=${1:-10} runs=${2:-5}
shift $(($# < 2 ? $# : 2))
command -v sox >/dev/null || { echo "sox is not installed" >&2; exit 2; }
"$root/scripts/build" --target bench_dsp bench_batch >/dev/null || exit 1
dsp_exe=$(find "$SONVELT_BUILD_DIR/bench/dsp" -name bench_dsp.exe | head -1)
batch_exe=$(find "$SONVELT_BUILD_DIR/bench/batch" -name bench_batch.exe | head -1)
work=$(mktemp -d)
# The batch window needs a display; one server for all runs, as on a desktop
# where it is always there.
start_display
trap '"$WINESERVER" -k 2>/dev/null; stop_display; rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir out
"$WINESERVER" -p 30 >/dev/null 2>&1
# The prefix's own services start now, holding none of the pipes that follow open.
"$SONVELT_WINE" cmd /c exit >/dev/null 2>&1 </dev/null
"$SONVELT_WINE" "$dsp_exe" signal sig.wav "$minutes" || { echo "cannot write the signal" >&2; exit 1; }
read -r _ frames _ in_sum < <("$SONVELT_WINE" "$dsp_exe" describe sig.wav | tr -d '\r')
[ -n "${frames:-}" ] || { echo "cannot read the signal" >&2; exit 1; }

seconds=$(echo "$minutes * 60" | bc)
source "$root/bench/lib/sox-effects.sh"

effects=("$@")
[ ${#effects[@]} -gt 0 ] || mapfile -t effects < <("$SONVELT_WINE" "$batch_exe" list | tr -d '\r')
echo "signal: $minutes min stereo 44.1 kHz 16-bit, $frames frames; $runs rounds after one warm-up; load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-15s %7s %7s %9s %8s %6s  %s\n' effect batch sox batch/sox batchMB soxMB notes
status=0
for e in "${effects[@]}"; do
  [ -n "${sox[$e]:-}" ] || { echo "$e: no sox command" >&2; status=1; continue; }
  unset WALL USER PEAK FAILED
  declare -A WALL USER PEAK FAILED
  paired_runs "$runs" "batch=$SONVELT_WINE $batch_exe $e sig.wav out" "sox=sox -q sig.wav sox.wav ${sox[$e]}"
  expected=$frames
  [ "$e" = speed ] && expected=$(echo "($frames * 100 + 35) / 70" | bc)
  notes=${different[$e]:+different work}
  if [ -z "${FAILED[batch]:-}" ]; then
    read -r _ got _ sum < <("$SONVELT_WINE" "$dsp_exe" describe out/sig.wav 2>&1 | tr -d '\r')
    if [ "${got:-}" != "$expected" ]; then
      FAILED[batch]="output of ${got:-no} frames, $expected expected"
    elif [ "$sum" = "$in_sum" ]; then
      FAILED[batch]="output equals the input"
    fi
  fi
  printf '%-15s %7s %7s %9s %8s %6s  %s\n' "$e" "$(figure batch WALL "$runs")" "$(figure sox WALL "$runs")" \
    "$(ratio batch sox "$runs")" "$(figure batch PEAK "$runs")" "$(figure sox PEAK "$runs")" "$notes"
  report_failures || status=1
done
exit $status
