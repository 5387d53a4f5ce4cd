"""Drives the real Zarnith under a private X server with real X input.

Shared by the end-to-end smoke test and the reliability tools (soak, memcheck,
screenshots). It starts Xvfb (and a window manager when asked), launches the
game, moves and clicks the pointer and presses keys through XTEST (xdotool), and
reads pixels back from screenshots (ImageMagick). Screen facts - Button
rectangles, cell squares, colours - come from the game's own `zarnith_facts`
tool, built beside the game, so no script keeps a copy of the game's tables.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time

CANVAS_W, CANVAS_H = 1600, 900  # the game's canvas, pixels
INPUT_PAUSE = 0.05  # seconds after a pointer move: the game samples the pointer once a frame


class Facts:
    """The game's Buttons, flat cell squares and colours, as zarnith_facts prints them."""

    def __init__(self, game):
        tool = os.path.join(os.path.dirname(os.path.abspath(game)), "zarnith_facts")
        self.buttons, self.cells, self.colours = {}, {}, {}
        for line in subprocess.run([tool], check=True, capture_output=True, text=True).stdout.splitlines():
            kind, *fields = line.split(" ")
            if kind == "button":
                self.buttons[" ".join(fields[4:])] = tuple(map(int, fields[:4]))
            elif kind == "cell":
                d, cell, left, top, side = map(int, fields)
                self.cells[(d, cell)] = (left, top, side)
            elif kind == "colour":
                self.colours[fields[0]] = tuple(map(int, fields[1:]))

    def button_centre(self, label):
        x, y, w, h = self.buttons[label]
        return x + w // 2, y + h // 2

    def cell_centre(self, dimensions, cell):
        left, top, side = self.cells[(dimensions, cell)]
        return left + side // 2, top + side // 2


class XServer:
    """A private Xvfb of the given size, with openbox as window manager when wm is set."""

    def __init__(self, width=CANVAS_W, height=CANVAS_H, wm=False):
        self.width, self.height = width, height
        number = next(n for n in range(90, 200) if not os.path.exists(f"/tmp/.X{n}-lock"))
        self.display = f":{number}"
        # -noreset: the server outlives its last client, so one launch cannot race the next.
        self.procs = [subprocess.Popen(["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24",
                                        "-noreset", "-nolisten", "tcp"], stderr=subprocess.DEVNULL)]
        self.env = dict(os.environ, DISPLAY=self.display)
        wait_until(lambda: os.path.exists(f"/tmp/.X11-unix/X{number}"), 10, "the X server")
        if wm:
            self.procs.append(subprocess.Popen(["openbox"], env=self.env, stderr=subprocess.DEVNULL))
            wait_until(self._wm_running, 10, "openbox")

    def _wm_running(self):
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                             capture_output=True, text=True).stdout
        return "window id" in out

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        for proc in reversed(self.procs):
            stop(proc)

    def x11(self, *command):
        """The output of an X client run on this server."""
        return subprocess.run(command, env=self.env, check=True, capture_output=True, text=True).stdout

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True)
        if result.returncode != 0:
            if check:
                raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
            return None
        return result.stdout.strip()

    def screenshot(self):
        """The whole screen as rows of 8-bit RGB."""
        raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env,
                             check=True, capture_output=True).stdout
        return Screenshot(raw, self.width)

    def save_png(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)

    def move(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(INPUT_PAUSE)

    def click(self, x, y):
        self.move(x, y)
        self.xdotool("click", 1)
        time.sleep(INPUT_PAUSE)

    def drag(self, x1, y1, x2, y2, steps=6):
        self.move(x1, y1)
        self.xdotool("mousedown", 1)
        for i in range(1, steps + 1):
            self.move(x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
        self.xdotool("mouseup", 1)

    def key(self, name):
        """A real tap: press and release sent together."""
        self.xdotool("key", name)


class Screenshot:
    def __init__(self, raw, width):
        self.raw, self.width = raw, width

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.raw[i:i + 3])

    def count(self, colour, x1, y1, x2, y2):
        """How many pixels of the rectangle from (x1, y1) up to (x2, y2) have this colour."""
        return sum(self.pixel(x, y) == colour for y in range(y1, y2) for x in range(x1, x2))


class Game:
    """The real game running on `server`, started from `cwd` (where it looks for Text.ttf)."""

    def __init__(self, server, game, cwd=None, env=None, prefix=()):
        self.server = server
        self.workdir = tempfile.mkdtemp(prefix="zarnith-x-")
        self.output_path = os.path.join(self.workdir, "game.out")
        with open(self.output_path, "w") as out:
            self.proc = subprocess.Popen([*prefix, os.path.abspath(game)], cwd=cwd or os.path.dirname(os.path.abspath(game)),
                                         env={**server.env, **(env or {})}, stdout=out, stderr=subprocess.STDOUT)
        self.window = None

    def wait_window(self, timeout=30):
        """Waits until the game's window is mapped; returns its id."""
        def found():
            self.check_alive()
            self.window = self.server.xdotool("search", "--onlyvisible", "--name", "^Zarnith$", check=False)
            return bool(self.window)
        wait_until(found, timeout, "the game's window")
        self.window = self.window.split()[0]
        return self.window

    def geometry(self):
        """The inside of the window as (x, y, width, height) on the screen. xwininfo, because
        xdotool counts a window manager's frame offset twice."""
        info = self.server.x11("xwininfo", "-id", self.window)
        values = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
        keys = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
        return tuple(int(values[k]) for k in keys)

    def frame(self):
        """The window with the window manager's frame around it, as (x, y, width, height)."""
        x, y, width, height = self.geometry()
        extents = self.server.x11("xprop", "-id", self.window, "_NET_FRAME_EXTENTS").partition("=")[2]
        left, right, top, bottom = map(int, extents.split(",")) if extents else (0, 0, 0, 0)
        return x - left, y - top, width + left + right, height + top + bottom

    def to_screen(self, point):
        """The screen pixel that a canvas point is drawn on: the canvas is scaled to the window
        and centred in it, with bars where the window's aspect differs."""
        x, y, width, height = self.geometry()
        scale = min(width / CANVAS_W, height / CANVAS_H)
        return (x + int((width - CANVAS_W * scale) / 2 + (point[0] + 0.5) * scale),
                y + int((height - CANVAS_H * scale) / 2 + (point[1] + 0.5) * scale))

    def check_alive(self):
        if self.proc.poll() is not None:
            raise RuntimeError(f"the game ended with status {self.proc.returncode}: {self.output()}")

    def output(self):
        with open(self.output_path) as out:
            return out.read()

    def wait_exit(self, timeout=15):
        return self.proc.wait(timeout)

    def close(self):
        stop(self.proc)
        shutil.rmtree(self.workdir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def wait_until(predicate, timeout, what, pause=0.05):
    deadline = time.monotonic() + timeout
    while not predicate():
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(pause)


def stop(proc, grace=2.0):
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(grace)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
