#!/usr/bin/env python3
"""Start-up benchmark under Wine: time from starting a program to its painted window.

Run through scripts/bench-startup.sh, which builds what is timed. In one private
Xvfb with one Wine prefix whose server and desktop are already up, it starts, in
turn, Tintmesh.exe (win64), the bare program (bench/bare_window.c: one 340 x 409
window in one colour) and the bare program with Tintmesh's further system DLL
imports, ROUNDS times each, interleaved, and ends each run once its window shows.

"Painted" is read straight from the X server (libX11 through ctypes, a few
pixels at a time, every 2 ms): the bare window when three points of its rect
show its colour; Tintmesh's when the same three points show what they show once
its window has settled (learnt from one run before the timed ones). Prints each
run and the medians, and the ratio Tintmesh / bare.
"""

import ctypes
import os
import statistics
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402

ROUNDS = int(os.environ.get("STARTUP_ROUNDS", "5"))
WIDTH, HEIGHT = 340, 409
BARE_COLOUR = 0x2080C0
# Probe points, in window coordinates: near the top-left corner, the middle, and
# near the bottom-right corner.
PROBES = [(6, 6), (WIDTH // 2, HEIGHT // 2), (WIDTH - 7, HEIGHT - 7)]


class XProbe:
    """Reads single pixels of the root window of one display."""

    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.c_void_p
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XGetPixel.restype = ctypes.c_ulong
        self.x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.x.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.dpy = self.x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise harness.HarnessError("cannot open display %s" % display)
        self.root = self.x.XDefaultRootWindow(self.dpy)

    def pixel(self, x, y):
        image = self.x.XGetImage(self.dpy, self.root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            return None
        value = self.x.XGetPixel(image, 0, 0) & 0xFFFFFF
        self.x.XDestroyImage(image)
        return value

    def probes(self, left, top):
        return [self.pixel(left + x, top + y) for x, y in PROBES]


def time_to_paint(session, probe, exe, left, top, want, timeout=60.0):
    """Starts `exe`, returns the seconds until the probes show `want`, then ends it."""
    before = probe.probes(left, top)
    if before == want:
        raise harness.HarnessError("the screen already shows the painted window before the start")
    start = time.monotonic()
    proc = session.start_wine(exe)
    try:
        while True:
            if probe.probes(left, top) == want:
                return time.monotonic() - start
            if time.monotonic() - start > timeout:
                raise harness.HarnessError("%s did not paint within %.0f s" % (exe.name, timeout))
            if proc.poll() is not None:
                raise harness.HarnessError("%s ended before it painted" % exe.name)
            time.sleep(0.002)
    finally:
        proc.kill()
        proc.wait()
        # The window must be gone before the next run starts.
        harness.wait_until(lambda: probe.probes(left, top) == before, 30, "the window to go")


def main():
    build = Path(sys.argv[1])
    programs = {
        "tintmesh": Path(sys.argv[2]),
        "bare": build / "bare_window.exe",
        "bare+imports": build / "bare_imports.exe",
    }
    work = Path(tempfile.mkdtemp(prefix="tintmesh-startup-"))
    harness.make_template_prefix(work / "template", work / "boot.log")
    harness.Config.template_prefix = work / "template"
    harness.Config.program = programs["tintmesh"]
    times = {name: [] for name in programs}
    with harness.Session("startup-bench") as session:
        probe = XProbe(session.display)
        # One run of each, untimed: learns where the windows sit and what Tintmesh's
        # settled window shows at the probes, and brings the DLLs into the page cache.
        left, top, _, _ = session.launch(size=(WIDTH, HEIGHT))
        session.wait_screen_stable()
        tintmesh_want = probe.probes(left, top)
        session.program.kill()
        session.program.wait()
        harness.wait_until(lambda: not session.windows("^Tintmesh$"), 30, "Tintmesh to go")
        want = {"tintmesh": tintmesh_want, "bare": [BARE_COLOUR] * 3, "bare+imports": [BARE_COLOUR] * 3}
        for name in ("bare", "bare+imports"):
            time_to_paint(session, probe, programs[name], left, top, want[name])
        for round_ in range(ROUNDS):
            for name in programs:
                seconds = time_to_paint(session, probe, programs[name], left, top, want[name])
                times[name].append(seconds)
                print("round %d  %-13s %.3f s" % (round_ + 1, name, seconds), flush=True)
    medians = {name: statistics.median(t) for name, t in times.items()}
    print()
    for name, m in medians.items():
        print("median  %-13s %.3f s  (of %d)" % (name, m, len(times[name])))
    print("ratio tintmesh / bare          %.2f" % (medians["tintmesh"] / medians["bare"]))
    print("ratio bare+imports / bare      %.2f" % (medians["bare+imports"] / medians["bare"]))
    print("ratio tintmesh / bare+imports  %.2f" % (medians["tintmesh"] / medians["bare+imports"]))


if __name__ == "__main__":
    main()
