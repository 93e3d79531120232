#!/usr/bin/env bash
# Takes the README's screenshot of the in-game preview from the real program under Xvfb: a
# two-color tooltip, composed with a swatch and then edited in the result box.
# Needs: build/hueprint, xvfb-run, xdotool, ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
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
  # The tooltip title in gold: type it, then Picture16 (column 3, row 4 of the swatch grid).
  xdotool mousemove $((X + 100)) $((Y + 40)) click 1
  xdotool type --delay 20 "Gold Mine"
  xdotool mousemove $((X + 8 + 8 + 48 + 12)) $((Y + 128 + 16 + 48 + 8)) click 1
  sleep 0.3
  # A second line in green, typed at the end of the result box and left open (a note).
  xdotool mousemove $((X + 100)) $((Y + 300)) click 1
  xdotool key ctrl+End
  xdotool type --delay 20 "|n|cFF40FF40Produces 10 gold every 5 seconds."
  # F2 opens the preview.
  xdotool key F2
  for _ in $(seq 50); do
    preview=$(xdotool search --name "^In-Game Preview - Hueprint For WarCraft 3 Colored Text$" 2>/dev/null | head -1 || true)
    [[ -n "$preview" ]] && break
    sleep 0.1
  done
  sleep 0.5
  import -window "$preview" "$out/preview-window.png"
  kill "$pid"
' _ "$out"
echo "wrote $out/preview-window.png"
