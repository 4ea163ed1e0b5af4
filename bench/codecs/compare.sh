#!/usr/bin/env bash
# Coding file to file, whole process against whole process, on the same
# music-like stereo 44.1 kHz 16-bit WAV: the program's block reader and writer
# (bench_codecs) against lame, oggenc and ffmpeg doing the same work. One
# warm-up round, then RUNS rounds in turn; prints medians of wall seconds, of
# the round by round ratios (program / other, below 1 is faster) and of peak
# memory. Each output is read back and its length checked; a missing tool, a
# failed run or a wrong output prints FAILED, never a figure, and makes the
# script exit non-zero.
#   bench/codecs/compare.sh [minutes] [runs]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/env.sh"
source "$root/bench/lib/paired.sh"
minutes=${1:-10} runs=${2:-5}
"$root/scripts/build" --target bench_codecs >/dev/null || exit 1
exe=$(find "$SONVELT_BUILD_DIR/bench/codecs" -name bench_codecs.exe | head -1)
work=$(mktemp -d)
trap 'stop_bench_wineserver; rm -rf "$work"' EXIT
cd "$work" || exit 1
start_bench_wineserver
ours() { echo "$SONVELT_WINE $exe $*"; }
$(ours signal source.wav "$minutes") || { echo "cannot write the source" >&2; exit 1; }
$(ours mp3 source.wav source.mp3) || { echo "cannot encode the MP3 to decode" >&2; exit 1; }
read -r _ frames _ < <($(ours describe source.wav) | tr -d '\r')
[ -n "${frames:-}" ] || { echo "cannot read the source" >&2; exit 1; }

# task | our command | their program | their command | output to check
tasks=(
  "mp3 cbr 192|$(ours mp3 source.wav ours.mp3)|lame|lame --quiet -b 192 source.wav theirs.mp3|ours.mp3"
  "mp3 vbr q2|$(ours mp3vbr source.wav ours.mp3)|lame|lame --quiet -V 2 source.wav theirs.mp3|ours.mp3"
  "ogg 192 avg|$(ours ogg source.wav ours.ogg)|oggenc|oggenc -Q -b 192 -o theirs.ogg source.wav|ours.ogg"
  "mp3 to wav|$(ours wav source.mp3 ours.wav)|ffmpeg|ffmpeg -v error -y -i source.mp3 theirs.wav|ours.wav"
)
declare -A package=([lame]=lame [oggenc]=vorbis-tools [ffmpeg]=ffmpeg)
echo "source: $minutes min stereo 44.1 kHz 16-bit, $frames frames; $runs rounds after one warm-up; load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-12s %7s %7s %7s %7s %7s  %s\n' task ours theirs ratio oursMB thMB program
status=0
for t in "${tasks[@]}"; do
  IFS='|' read -r name mine program theirs output <<<"$t"
  unset WALL USER PEAK FAILED
  declare -A WALL USER PEAK FAILED
  if ! command -v "$program" >/dev/null; then
    FAILED[theirs]="$program is not installed (Debian package ${package[$program]})"
    paired_runs "$runs" "ours=$mine"
  else
    paired_runs "$runs" "ours=$mine" "theirs=$theirs"
  fi
  if [ -z "${FAILED[ours]:-}" ]; then
    read -r _ got _ < <($(ours describe "$output") 2>&1 | tr -d '\r')
    # Encoders may pad or trim a frame's worth at the ends.
    if [ -z "${got:-}" ] || [ $((got > frames ? got - frames : frames - got)) -gt 4096 ]; then
      FAILED[ours]="output of ${got:-no} frames, about $frames expected"
    fi
  fi
  printf '%-12s %7s %7s %7s %7s %7s  %s\n' "$name" "$(figure ours WALL "$runs")" "$(figure theirs WALL "$runs")" \
    "$(ratio ours theirs "$runs")" "$(figure ours PEAK "$runs")" "$(figure theirs PEAK "$runs")" "$program"
  report_failures || status=1
done
exit $status
