#!/usr/bin/env bash
# Takes the screenshots of the template window after choosing red and after choosing black,
# under a light and a dark Fusion palette, from the real window under Xvfb.
# Needs: build/tests/template_screenshot (cmake --build build --target template_screenshot),
# xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
tool=build/tests/template_screenshot
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

for palette in light dark; do
  for choice in red:10 black:1; do
    name=${choice%%:*}
    swatch=${choice##*:}
    XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME= \
      xvfb-run -a -s "-screen 0 800x600x24" "$tool" "$palette" "$swatch" \
      "$out/template-$name-$palette.png"
    echo "wrote $out/template-$name-$palette.png"
  done
done
