# SPDX-License-Identifier: MIT
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
