#!/usr/bin/env bash
# Measures how long the real game takes from its launch to its first picture:
# over several launches under a private X server, the time from starting the
# process until a pixel of its window on the screen shows the title screen's
# background. Prints each launch, then the median and the maximum in ms.
# Usage: bash tools/startup-time.sh [path/to/zarnith] [launches]
#   (default: build/zarnith, built in release mode when missing; 10 launches)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

game=${1:-$ZARNITH_ROOT/build/zarnith}
launches=${2:-10}
[[ $launches =~ ^[1-9][0-9]*$ ]] || {
  echo "usage: $0 [path/to/zarnith] [launches]" >&2
  exit 2
}
ensure_game_and_test_packages "$game"
command -v python3 >/dev/null || ensure_packages python3
source "$ZARNITH_ROOT/tests/e2e/lib.sh" "$game"

# One launch: starts the game in its own folder, reads pixel (FREE_X, FREE_Y)
# of the root window through Xlib every millisecond until it has the title
# screen's background (the rule of title_background in lib.sh), then ends the
# game with SIGTERM and expects status 0. Prints the milliseconds from the
# start of the process to the first such pixel. Polling one pixel costs a
# fraction of a millisecond, so the figure is exact to about 1 ms.
cat >"$WORK/first_frame.py" <<'PY'
import ctypes
import os
import signal
import subprocess
import sys
import time

game, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
TIMEOUT = 10.0  # seconds for the first picture
ALL_PLANES = ctypes.c_ulong(-1).value
Z_PIXMAP = 2

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

display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the X display")
root = xlib.XDefaultRootWindow(display)


def title_background():
    image = xlib.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
    pixel = xlib.XGetPixel(image, 0, 0)
    xlib.XDestroyImage(image)
    r, g, b = (pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255
    return 49 <= r + g <= 51 and b <= 50


if title_background():
    sys.exit("the title background shows before the launch")
env = dict(os.environ, SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")
start = time.monotonic()
process = subprocess.Popen(["./" + os.path.basename(game)], cwd=os.path.dirname(game), env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while not title_background():
    if process.poll() is not None:
        sys.exit(f"the game ended with status {process.returncode} before its first picture")
    if time.monotonic() - start > TIMEOUT:
        process.kill()
        sys.exit(f"no title screen within {TIMEOUT} s")
    time.sleep(0.001)
elapsed_ms = (time.monotonic() - start) * 1000.0

process.send_signal(signal.SIGTERM)
status = process.wait(timeout=15)
if status != 0:
    sys.exit(f"SIGTERM ended the game with status {status}")
print(f"{elapsed_ms:.1f}")
PY

start_xserver
times=()
for ((i = 1; i <= launches; i++)); do
  ms=$(python3 "$WORK/first_frame.py" "$GAME" $FREE_X $FREE_Y) || fail "launch $i failed"
  echo "launch $i: $ms ms"
  times+=("$ms")
done
sort -n <<<"$(printf '%s\n' "${times[@]}")" | awk '
  { t[NR] = $1 }
  END {
    median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "launch to first picture over %d launches: median %.0f ms, max %.0f ms\n", NR, median, t[NR]
  }'
