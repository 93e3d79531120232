#!/usr/bin/env bash
# Takes docs/screenshots/drag-pencil.png: the real program under Xvfb in the middle of a drag
# of the picker's current-color swatch. A screen grab leaves the pointer out, so the pointer's
# image is read from the X server (XFixes) and drawn in where the pointer stands; its size and
# hot spot are printed.
# Needs: build/hueprint, xvfb-run, xdotool, ImageMagick, python3, libX11 and libXfixes.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/pointer.py" <<'EOF'
# Writes the X server's current pointer image as raw RGBA to argv[1] and prints
# "x y width height xhot yhot" (x, y: where the pointer's hot spot is on the screen).
import ctypes
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


x11 = ctypes.CDLL("libX11.so.6")
xfixes = ctypes.CDLL("libXfixes.so.3")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
xfixes.XFixesQueryVersion.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                      ctypes.POINTER(ctypes.c_int)]
xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]

display = x11.XOpenDisplay(None)
major, minor = ctypes.c_int(6), ctypes.c_int(0)
xfixes.XFixesQueryVersion(display, ctypes.byref(major), ctypes.byref(minor))
image = xfixes.XFixesGetCursorImage(display).contents
rgba = bytearray()
for i in range(image.width * image.height):
    argb = image.pixels[i] & 0xFFFFFFFF  # premultiplied
    a = argb >> 24
    r, g, b = (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF
    if a:
        r, g, b = (min(255, c * 255 // a) for c in (r, g, b))
    rgba += bytes((r, g, b, a))
with open(sys.argv[1], "wb") as f:
    f.write(rgba)
print(image.x, image.y, image.width, image.height, image.xhot, image.yhot)
EOF

XDG_CONFIG_HOME="$work" xvfb-run -a -s "-screen 0 800x600x24" bash -euo pipefail -c '
  out=$1 work=$2
  build/hueprint &
  pid=$!
  for _ in $(seq 50); do
    wid=$(xdotool search --name "^Hueprint For WarCraft 3 Colored Text$" 2>/dev/null | head -1 || true)
    [[ -n "$wid" ]] && break
    sleep 0.1
  done
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # "C&ustom Color" opens the picker.
  xdotool mousemove $((X + 8 + 232 + 44)) $((Y + 128 + 88 + 12)) click 1
  for _ in $(seq 50); do
    picker=$(xdotool search --name "^Hueprint For WarCraft 3 Colored Text$" 2>/dev/null | grep -v "^$wid$" | head -1 || true)
    [[ -n "$picker" ]] && break
    sleep 0.1
  done
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$picker")"
  # A color to drag: the red slider to its right end.
  xdotool mousemove $((X + 8 + 232 + 90)) $((Y + 8 + 16 + 8)) click 1
  xdotool key End
  sleep 0.3
  # Press on picCurColor (frame at 8, 8; swatch at 8, 16 in it, 65 x 49) and drag away.
  x=$((X + 16 + 32)) y=$((Y + 24 + 24))
  xdotool mousemove $x $y mousedown 1
  for step in $(seq 1 12); do
    xdotool mousemove $((x + 8 * step)) $((y + 6 * step))
    sleep 0.05
  done
  sleep 0.5
  import -window root "$work/screen.png"
  python3 "$work/pointer.py" "$work/pointer.rgba" >"$work/pointer.txt"
  xdotool key Escape mouseup 1
  sleep 0.3
  kill "$pid"
' _ "$out" "$work"

read -r px py pw ph hx hy <"$work/pointer.txt"
echo "pointer at ($px, $py): image ${pw} x ${ph}, hot spot ($hx, $hy)"
convert -size "${pw}x${ph}" -depth 8 "rgba:$work/pointer.rgba" "$work/pointer.png"
composite -geometry "+$((px - hx))+$((py - hy))" "$work/pointer.png" "$work/screen.png" \
  "$out/drag-pencil.png"
echo "wrote $out/drag-pencil.png"
