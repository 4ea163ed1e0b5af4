#!/usr/bin/env bash
# Runs bench_codecs under Wine (encode minutes of stereo to a 192 kbit/s MP3,
# decode it again) and, where they are installed, the lame and ffmpeg programs
# on the same files, and prints both times and their ratio (ours / theirs;
# below 1 is faster).
#   bench/codecs/compare.sh [minutes]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/env.sh"
"$root/scripts/build" --target bench_codecs >/dev/null
exe=$(find "$SONVELT_BUILD_DIR/bench/codecs" -name bench_codecs.exe | head -1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
WINEDEBUG=-all wine "$exe" "$(winepath -w "$work" 2>/dev/null)" "${1:-10}" | tr -d '\r' >"$work/ours.txt"

timed() {
  local start
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  echo "$(date +%s.%N) - $start" | bc
}

printf '%-12s %8s %8s %7s  %s\n' task ours theirs ratio program
while read -r name ours; do
  theirs= program=
  case $name in
    encode_mp3) command -v lame >/dev/null && program=lame &&
                theirs=$(timed lame --quiet -b 192 "$work/source.wav" "$work/theirs.mp3") ;;
    decode_mp3) command -v ffmpeg >/dev/null && program=ffmpeg &&
                theirs=$(timed ffmpeg -v error -i "$work/source.mp3" -f null -) ;;
  esac
  if [ -n "$theirs" ]; then
    printf '%-12s %8.3f %8.3f %7.2f  %s\n' "$name" "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)" "$program"
  else
    printf '%-12s %8.3f %8s %7s  %s\n' "$name" "$ours" - - "(${name%_*} program not installed)"
  fi
done <"$work/ours.txt"
