#!/usr/bin/env bash
# Writes CssColours.inc, the CSS colour keywords as { "name", 0xRRGGBB } lines,
# from the CSS colour list installed on this machine (a Linux-side fixture tool).
set -euo pipefail
src=${1:-/usr/share/vim/vim90/colors/lists/csscolors.vim}
grep -o "'css_[a-z]*': '#[0-9A-Fa-f]\{6\}'" "$src" |
  sed -E "s/'css_([a-z]+)': '#([0-9A-Fa-f]{6})'/{\"\1\", 0x\2},/" | sort -u > "$(dirname "$0")/CssColours.inc"
