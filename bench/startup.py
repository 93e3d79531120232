#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Startup benchmark: Hueprint against a bare Qt window, side by side, under one Xvfb.

For each program, run after run (interleaved, after one warm-up run of each):
  (a) start:  from just before the process is spawned to its first window's first paint;
  (b) second: from the mouse release on the button that opens the second window ("C&ustom
              Color"; anywhere for the bare window) to that window's first paint;
  (c) peak RSS of the process over the whole run (getrusage of the ended child);
and, less disturbed by other load on the machine, the CPU time the process has used by its
first paint and between its two first paints. First paints are reported by the programs
themselves (HUEPRINT_REPORT_FIRST_PAINT). Input is sent with XTEST; no window manager runs,
unless one is given: --window-manager tests/e2e/ignoring_window_manager (built with the tests)
measures under a window manager that never answers a request for the frame's size.

  startup.py <hueprint> <bare_window> [--runs N] [--window-manager PROGRAM]
"""

import argparse
import ctypes
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TWIPS = 15
# "C&ustom Color" (Command5): Left 3480, Top 1320, 1335 x 375 in Frame2 at 120, 1920.
CUSTOM_COLOR = ((120 + 3480 + 1335 // 2) // TWIPS, (1920 + 1320 + 375 // 2) // TWIPS)
TIMEOUT_S = 15


class Xtest:
    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        for _ in range(50):
            self.dpy = self.x11.XOpenDisplay(display.encode())
            if self.dpy:
                break
            time.sleep(0.1)
        if not self.dpy:
            sys.exit(f"cannot open display {display}")

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        self.x11.XSync(self.dpy, 0)

    def button(self, pressed):
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 1 if pressed else 0, 0)
        self.x11.XFlush(self.dpy)


class Reader:
    """Reads 'first-paint' lines from a child's standard error, with a timeout."""

    def __init__(self, proc):
        self.fd = proc.stderr.fileno()
        self.buffer = b""

    def first_paint(self):
        deadline = time.monotonic() + TIMEOUT_S
        while True:
            while b"\n" in self.buffer:
                line, self.buffer = self.buffer.split(b"\n", 1)
                fields = line.decode(errors="replace").split()
                if len(fields) == 8 and fields[0] == "first-paint":
                    return int(fields[2]), int(fields[3]), tuple(int(v) for v in fields[4:8])
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no first paint reported")
            ready, _, _ = select.select([self.fd], [], [], left)
            if ready:
                chunk = os.read(self.fd, 4096)
                if not chunk:
                    raise RuntimeError("the program ended before its first paint")
                self.buffer += chunk


def one_run(command, is_hueprint, xtest, env, config_dir):
    shutil.rmtree(config_dir, ignore_errors=True)
    os.makedirs(config_dir)
    spawned = time.monotonic_ns()
    proc = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        reader = Reader(proc)
        painted, cpu_us, (x, y, w, h) = reader.first_paint()
        start_ms = (painted - spawned) / 1e6
        time.sleep(0.3)  # the user looks before clicking
        cx, cy = (x + CUSTOM_COLOR[0], y + CUSTOM_COLOR[1]) if is_hueprint else (x + w // 2,
                                                                                   y + h // 2)
        xtest.move(cx, cy)
        xtest.button(True)
        time.sleep(0.1)
        released = time.monotonic_ns()
        xtest.button(False)
        painted2, cpu2_us, _ = reader.first_paint()
        second_ms = (painted2 - released) / 1e6
        time.sleep(0.2)
    finally:
        proc.send_signal(signal.SIGTERM)
        _, _, usage = os.wait4(proc.pid, 0)
        proc.returncode = 0
        proc.stderr.close()
    return start_ms, second_ms, usage.ru_maxrss / 1024.0, cpu_us / 1e3, (cpu2_us - cpu_us) / 1e3


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(write_fd,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    # The server writes the number and then a line feed; the pipe must stay open until both
    # have arrived, or the server fails on the second write.
    number = b""
    while not number.endswith(b"\n"):
        ready, _, _ = select.select([read_fd], [], [], TIMEOUT_S)
        chunk = os.read(read_fd, 64) if ready else b""
        if not chunk:
            sys.exit("Xvfb did not start")
        number += chunk
    os.close(read_fd)
    return xvfb, ":" + number.decode().strip()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("hueprint")
    parser.add_argument("baseline")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--window-manager", help="a window manager that prints 'ready' once up")
    args = parser.parse_args()
    if args.runs < 10:
        parser.error("at least 10 runs")

    xvfb, display = start_xvfb()
    home = tempfile.mkdtemp(prefix="hueprint-bench-")
    window_manager = None
    try:
        if args.window_manager:
            window_manager = subprocess.Popen([args.window_manager], stdout=subprocess.PIPE,
                                              env=dict(os.environ, DISPLAY=display))
            if not window_manager.stdout.readline().startswith(b"ready"):
                sys.exit("the window manager did not start")
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700)
        env = {k: v for k, v in os.environ.items()
               if k not in ("QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME", "WAYLAND_DISPLAY",
                            "SESSION_MANAGER")}
        config_dir = os.path.join(home, ".config")
        env.update(DISPLAY=display, HOME=home, XDG_CONFIG_HOME=config_dir,
                   XDG_RUNTIME_DIR=runtime, XDG_SESSION_TYPE="x11",
                   HUEPRINT_REPORT_FIRST_PAINT="1")
        xtest = Xtest(display)
        programs = [("hueprint", [args.hueprint], True), ("baseline", [args.baseline], False),
                    ("text floor", [args.baseline, "--label"], False)]
        results = {name: [] for name, _, _ in programs}
        for run in range(args.runs + 1):  # run 0 warms the caches and is not counted
            for name, path, is_hueprint in programs:
                figures = one_run(path, is_hueprint, xtest, env, config_dir)
                if run > 0:
                    results[name].append(figures)

        def median(name, i):
            return statistics.median(r[i] for r in results[name])

        print(f"display {display}, window manager {args.window_manager or 'none'}, {args.runs} runs "
              "each (after one warm-up), medians:")
        print(f"{'':32}{'hueprint':>10}{'baseline':>10}{'ratio':>7}  |{'text floor':>11}{'ratio':>7}")
        labels = ["(a) start to first paint, ms", "(b) click to second paint, ms",
                  "(c) peak RSS, MiB", "    CPU time to first paint, ms",
                  "    CPU time, 1st to 2nd paint, ms"]
        for i, label in enumerate(labels):
            p, b, t = median("hueprint", i), median("baseline", i), median("text floor", i)
            print(f"{label:32}{p:10.1f}{b:10.1f}{p / b:7.2f}  |{t:11.1f}{p / t:7.2f}")
        print("ratio = hueprint / baseline; text floor = the baseline with one QLabel of text")
        start_ratio = median("hueprint", 0) / median("baseline", 0)
        rss_ratio = median("hueprint", 2) / median("baseline", 2)
        picker_ms = median("hueprint", 1)
        print("targets: start <= 1.25 x baseline: " + ("met" if start_ratio <= 1.25 else "MISSED") +
              f" ({start_ratio:.2f}); picker first paint < 50 ms: " +
              ("met" if picker_ms < 50 else "MISSED") + f" ({picker_ms:.1f} ms); peak RSS <= 1.2 x "
              "baseline: " + ("met" if rss_ratio <= 1.2 else "MISSED") + f" ({rss_ratio:.2f})")
        for name in results:
            for i, label in enumerate(labels):
                values = sorted(r[i] for r in results[name])
                print(f"  {name:10} {label.split(',')[0].strip():25} min {values[0]:7.1f}  "
                      f"max {values[-1]:7.1f}")
    finally:
        if window_manager:
            window_manager.terminate()
            window_manager.wait()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
