# Sourced by the demos' run-demo.sh scripts: builds a demo and runs it under
# Wine on a private Xvfb display (or on DISPLAY when one is set).

demo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Builds TARGET, prepares Wine and the display, and sets demo_exe.
demo_start() {
  local target=$1
  "$demo_root/scripts/build" --target "$target"
  source "$demo_root/scripts/lib/env.sh"
  source "$demo_root/scripts/lib/display.sh"
  if [ -z "${DISPLAY:-}" ]; then
    start_display
    trap stop_display EXIT
  fi
  demo_exe="$SONVELT_BUILD_DIR/tests/$target/$target.exe"
}

# The demo's flag for a visual-style mode: "theme" (Wine's own) or "plain" (off).
demo_theme_flag() {
  [ "$1" = plain ] && echo "--no-theme"
  return 0
}

# Turns each BMP file given into a PNG beside it.
demo_to_png() {
  local bmp
  for bmp in "$@"; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
}

# Runs the demo with "--screenshot BMP" and any further arguments, and keeps
# the picture as PNG.
demo_shot() {
  local bmp
  bmp=$(realpath -m "$1")
  shift
  wine "$demo_exe" --screenshot "$(winepath -w "$bmp")" "$@"
  demo_to_png "$bmp"
}

# Runs the demo with "--screenshots DIR" and any further arguments, and keeps
# every picture it saved as PNG.
demo_shots() {
  local dir
  dir=$(realpath -m "$1")
  shift
  mkdir -p "$dir"
  wine "$demo_exe" --screenshots "$(winepath -w "$dir")" "$@"
  demo_to_png "$dir"/*.bmp
}

# Saves DIR/NAME-theme.png and DIR/NAME-plain.png, one with each visual-style mode.
demo_theme_shots() {
  local dir=$1 name=$2 mode
  mkdir -p "$dir"
  for mode in theme plain; do
    demo_shot "$dir/$name-$mode.bmp" $(demo_theme_flag $mode)
  done
}

# With DIR: saves DIR/theme/*.png and DIR/plain/*.png, the demo's own pictures in
# each visual-style mode. Without it: runs the demo to be tried by hand.
demo_looks() {
  if [ $# -ge 1 ]; then
    local mode
    for mode in theme plain; do
      demo_shots "$1/$mode" $(demo_theme_flag $mode)
    done
  else
    wine "$demo_exe"
  fi
}
