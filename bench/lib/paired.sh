# Whole-process timing shared by the compare scripts; sourced, not run.
#
# paired_runs RUNS NAME=COMMAND ...: runs the commands in turn, one warm-up
# round and then RUNS counted rounds (A B C A B C ...), each under
# /usr/bin/time. Results land in the associative arrays
#   WALL[NAME:i]  USER[NAME:i]  PEAK[NAME:i] (MB)  and FAILED[NAME]=message
# A command that exits non-zero is never timed again and gets no figure.
# Commands are words split by the shell; "&" joins NAME and its command.

declare -A WALL USER PEAK FAILED

# One Wine server for all runs, as on a desktop where it is always there. Wine's
# own background programs start with the first process and keep its output
# open: that first process writes to /dev/null, or a pipe from the script would
# never end. stop_bench_wineserver ends them with the script.
start_bench_wineserver() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$SONVELT_WINE" cmd /c exit 0 </dev/null >/dev/null 2>&1
}
stop_bench_wineserver() {
  "$WINESERVER" -k 2>/dev/null
  "$WINESERVER" -w 2>/dev/null
}

paired_runs() {
  local runs=$1; shift
  local round spec name cmd tf rc
  tf=$(mktemp)
  for ((round = 0; round <= runs; round++)); do
    for spec in "$@"; do
      name=${spec%%=*} cmd=${spec#*=}
      [ -n "${FAILED[$name]:-}" ] && continue
      # shellcheck disable=SC2086
      /usr/bin/time -f '%e %U %S %M' -o "$tf" $cmd >/dev/null 2>"$tf.err"
      rc=$?
      if [ $rc -ne 0 ]; then
        FAILED[$name]="exit $rc: $(head -c 300 "$tf.err" | tr '\n' ' ')"
        continue
      fi
      [ $round -eq 0 ] && continue
      read -r w u s m < <(tail -1 "$tf")
      WALL[$name:$round]=$w
      USER[$name:$round]=$(echo "$u + $s" | bc)
      PEAK[$name:$round]=$(echo "scale=1; $m / 1024" | bc)
    done
  done
  rm -f "$tf" "$tf.err"
}

# median ARRAY NAME RUNS: the median of ARRAY[NAME:1..RUNS].
median() {
  local -n arr=$1
  local i
  for ((i = 1; i <= $3; i++)); do echo "${arr[$2:$i]}"; done | sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'
}

# median_ratio A B RUNS: the median of the round by round ratios of wall times.
median_ratio() {
  local i
  for ((i = 1; i <= $3; i++)); do echo "${WALL[$1:$i]} ${WALL[$2:$i]}"; done |
    awk '{print ($2 > 0) ? $1 / $2 : 0}' | sort -g | awk '{v[NR]=$1} END {printf "%.2f", (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'
}

# figure NAME ARRAY RUNS: the median, or FAILED when NAME failed.
figure() {
  if [ -n "${FAILED[$1]:-}" ]; then echo FAILED; else median "$2" "$1" "$3"; fi
}

# ratio A B RUNS: the median ratio of wall times, or FAILED when either failed.
ratio() {
  if [ -n "${FAILED[$1]:-}${FAILED[$2]:-}" ]; then echo FAILED; else median_ratio "$1" "$2" "$3"; fi
}

# report_failures: prints each failure to stderr; status 1 when there was one.
report_failures() {
  local k rc=0
  for k in "${!FAILED[@]}"; do
    echo "  $k FAILED: ${FAILED[$k]}" >&2
    rc=1
  done
  return $rc
}
