# Xvfb and wine-server handling; sourced after env.sh.
# A display must exist before the first Wine process of a wine-server session,
# or no window can be made for the whole session: so the display comes first,
# then a persistent wine server that later processes share.

SONVELT_XVFB_PID=

# Starts a private Xvfb on a free display number and exports DISPLAY.
start_display() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  SONVELT_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

stop_display() {
  [ -n "$SONVELT_XVFB_PID" ] && kill "$SONVELT_XVFB_PID" 2>/dev/null
  wait "$SONVELT_XVFB_PID" 2>/dev/null
  SONVELT_XVFB_PID=
}

# A fresh wine server bound to the current DISPLAY.
start_wineserver() {
  wineserver -k 2>/dev/null
  wineserver -p 60
  wine cmd /c exit 0 >/dev/null 2>&1
}

stop_wineserver() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}
