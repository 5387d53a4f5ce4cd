#!/usr/bin/env python3
"""Measures how long the real game takes from its launch to its first picture: over several
launches under a private X server, the time from starting the process until the top edge of
the "Play" Button shows white on the screen, which the title screen's first presented frame
draws. One screen pixel is read through Xlib every millisecond, a fraction of a millisecond
each, so a figure is exact to about 1 ms. SIGTERM must end every launch with status 0. Prints
each launch, then the median and the maximum in ms.

Usage: python3 tools/startup_time.py [path/to/zarnith] [launches]
  (default: build/zarnith, built in release mode when missing; 10 launches)
"""
import argparse
import ctypes
import os
import signal
import statistics
import sys
import time

from xgame import ROOT, Facts, Game, XServer, ensure_game, positive

TIMEOUT = 10.0  # seconds for the first picture
POLL = 0.001  # seconds between two reads of the pixel
EXIT_TIMEOUT = 15  # seconds for SIGTERM to end the game
ALL_PLANES = ctypes.c_ulong(-1).value
Z_PIXMAP = 2

parser = argparse.ArgumentParser(description="Launch to first picture of the real game.")
parser.add_argument("game", nargs="?", default=os.path.join(ROOT, "build", "zarnith"), help="path/to/zarnith")
parser.add_argument("launches", nargs="?", type=positive, default=10)
ARGS = parser.parse_args()
GAME, LAUNCHES = ARGS.game, ARGS.launches
ensure_game(GAME)
FACTS = Facts(GAME)

xlib = ctypes.CDLL("libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XGetImage.restype = ctypes.c_void_p
xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
xlib.XGetPixel.restype = ctypes.c_ulong
xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
xlib.XDestroyImage.argtypes = [ctypes.c_void_p]


def screen_pixel(display, root, x, y):
    image = xlib.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
    value = xlib.XGetPixel(image, 0, 0)
    xlib.XDestroyImage(image)
    return (value >> 16) & 255, (value >> 8) & 255, value & 255


def launch(server, display, root):
    """One launch; the milliseconds from the start of the process to the first title frame.
    The window appears at the screen's top-left corner: there is no window manager."""
    x, y, w, _ = FACTS.buttons["Play"]
    shows_title = lambda: screen_pixel(display, root, x + w // 2, y) == FACTS.colours["white"]
    if shows_title():
        sys.exit("the screen shows the title before the launch")
    start = time.monotonic()
    with Game(server, GAME) as game:
        while not shows_title():
            game.check_alive()
            if time.monotonic() - start > TIMEOUT:
                sys.exit(f"no title screen within {TIMEOUT} s")
            time.sleep(POLL)
        elapsed_ms = (time.monotonic() - start) * 1000.0
        game.proc.send_signal(signal.SIGTERM)
        status = game.proc.wait(EXIT_TIMEOUT)
        if status != 0:
            sys.exit(f"SIGTERM ended the game with status {status}")
    return elapsed_ms


with XServer() as server:
    display = xlib.XOpenDisplay(server.display.encode())
    if not display:
        sys.exit("cannot open the X display")
    root = xlib.XDefaultRootWindow(display)
    times = []
    for i in range(1, LAUNCHES + 1):
        times.append(launch(server, display, root))
        print(f"launch {i}: {times[-1]:.1f} ms")
    print(f"launch to first picture over {LAUNCHES} launches: "
          f"median {statistics.median(times):.0f} ms, max {max(times):.0f} ms")
