#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the README's screenshots of both windows from the real program under Xvfb.
# Needs: build/hueprint, xvfb-run, xdotool, ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 800x600x24" bash -euo pipefail -c '
  out=$1
  build/hueprint &
  pid=$!
  for _ in $(seq 50); do
    wid=$(xdotool search --name "^Hueprint For WarCraft 3 Colored Text$" 2>/dev/null | head -1 || true)
    [[ -n "$wid" ]] && break
    sleep 0.1
  done
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # Type a line of text, pick orange, and take the template window.
  xdotool mousemove $((X + 100)) $((Y + 40)) click 1
  xdotool type --delay 20 "Gold Mine"
  # Picture16: column 3, row 4 of the swatch grid.
  xdotool mousemove $((X + 8 + 8 + 48 + 12)) $((Y + 128 + 16 + 48 + 8)) click 1
  sleep 0.3
  import -window "$wid" "$out/template-window.png"
  # "C&ustom Color" opens the picker.
  xdotool mousemove $((X + 8 + 232 + 44)) $((Y + 128 + 88 + 12)) click 1
  for _ in $(seq 50); do
    picker=$(xdotool search --name "^Hueprint For WarCraft 3 Colored Text$" 2>/dev/null | grep -v "^$wid$" | head -1 || true)
    [[ -n "$picker" ]] && break
    sleep 0.1
  done
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$picker")"
  # Drag the red slider to the right end.
  xdotool mousemove $((X + 8 + 232 + 90)) $((Y + 8 + 16 + 8)) click 1
  xdotool key End
  sleep 0.3
  import -window "$picker" "$out/picker-window.png"
  kill "$pid"
' _ "$out"
echo "wrote $out/template-window.png and $out/picker-window.png"
