#!/usr/bin/env bash
# Every effect file to file, whole process against whole process, on the same
# stereo 44.1 kHz 16-bit signal: the program's batch road (bench_dsp) and its
# editor road (bench_dsp_editor: open, select all, effect, save) against sox
# with its default dither and with -D. One warm-up round, then RUNS rounds in
# turn; prints medians of wall seconds, of the round by round ratios (program
# / sox, below 1 is faster) and of peak memory. Each output's length and
# sample checksum are checked; a failed or wrong run prints FAILED, never a
# figure, and makes the script exit non-zero.
#   bench/dsp/compare.sh [minutes] [runs] [effect ...]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/env.sh"
source "$root/bench/lib/paired.sh"
minutes=${1:-10} runs=${2:-5}
shift $(($# < 2 ? $# : 2))
command -v sox >/dev/null || { echo "sox is not installed" >&2; exit 2; }
"$root/scripts/build" --target bench_dsp bench_dsp_editor >/dev/null || exit 1
file_exe=$(find "$SONVELT_BUILD_DIR/bench/dsp" -name bench_dsp.exe | head -1)
editor_exe=$(find "$SONVELT_BUILD_DIR/bench/dsp" -name bench_dsp_editor.exe | head -1)
work=$(mktemp -d)
holder=
trap 'exec 9>&-; [ -n "$holder" ] && wait "$holder"; stop_bench_wineserver; rm -rf "$work"' EXIT
cd "$work" || exit 1
start_bench_wineserver
# The editor's library uses the window system from its start, as a desktop
# program does: where no desktop is open Wine opens one for each run and
# closes it after, which a desktop session never does. One resident process
# keeps it open until the script ends (its input closes).
mkfifo desktop.fifo
"$SONVELT_WINE" "$editor_exe" desktop <desktop.fifo >/dev/null 2>&1 &
holder=$!
exec 9>desktop.fifo
"$SONVELT_WINE" "$file_exe" signal sig.wav "$minutes" || { echo "cannot write the signal" >&2; exit 1; }
read -r _ frames _ in_sum < <("$SONVELT_WINE" "$file_exe" describe sig.wav | tr -d '\r')
[ -n "${frames:-}" ] || { echo "cannot read the signal" >&2; exit 1; }

seconds=$(echo "$minutes * 60" | bc)
source "$root/bench/lib/sox-effects.sh"

effects=("$@")
[ ${#effects[@]} -gt 0 ] || mapfile -t effects < <("$SONVELT_WINE" "$file_exe" list | tr -d '\r')
echo "signal: $minutes min stereo 44.1 kHz 16-bit, $frames frames; $runs rounds after one warm-up; load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-15s %7s %7s %7s %7s %8s %8s %8s %6s %6s %6s  %s\n' effect file editor sox sox-D file/sox file/soxD edit/sox fileMB editMB soxMB notes
status=0
for e in "${effects[@]}"; do
  [ -n "${sox[$e]:-}" ] || { echo "$e: no sox command" >&2; status=1; continue; }
  unset WALL USER PEAK FAILED
  declare -A WALL USER PEAK FAILED
  paired_runs "$runs" "file=$SONVELT_WINE $file_exe file $e sig.wav file.wav" "sox=sox -q sig.wav sox.wav ${sox[$e]}" \
    "soxD=sox -q -D sig.wav soxD.wav ${sox[$e]}" "editor=$SONVELT_WINE $editor_exe $e sig.wav editor.wav"
  expected=$frames
  [ "$e" = speed ] && expected=$(echo "($frames * 100 + 35) / 70" | bc)
  notes=${different[$e]:+different work}
  # The outputs of the last round must be whole and changed.
  declare -A sums=()
  for road in file editor; do
    [ -n "${FAILED[$road]:-}" ] && continue
    read -r _ got _ sum < <("$SONVELT_WINE" "$file_exe" describe $road.wav 2>&1 | tr -d '\r')
    if [ "${got:-}" != "$expected" ]; then
      FAILED[$road]="output of ${got:-no} frames, $expected expected"
    elif [ "$sum" = "$in_sum" ]; then
      FAILED[$road]="output equals the input"
    fi
    sums[$road]=${sum:-}
  done
  [ -z "${FAILED[file]:-}${FAILED[editor]:-}" ] && [ "${sums[file]}" != "${sums[editor]}" ] &&
    notes="${notes:+$notes; }roads' outputs differ"
  printf '%-15s %7s %7s %7s %7s %8s %8s %8s %6s %6s %6s  %s\n' "$e" "$(figure file WALL "$runs")" \
    "$(figure editor WALL "$runs")" "$(figure sox WALL "$runs")" "$(figure soxD WALL "$runs")" \
    "$(ratio file sox "$runs")" "$(ratio file soxD "$runs")" "$(ratio editor sox "$runs")" \
    "$(figure file PEAK "$runs")" "$(figure editor PEAK "$runs")" "$(figure sox PEAK "$runs")" "$notes"
  report_failures || status=1
done
exit $status
