"""Drives the real Zarnith under a private X server with real X input.

Shared by the end-to-end smoke test and the reliability tools (soak, memcheck,
screenshots, start-up time). It starts Xvfb (and a window manager when asked),
launches the game, moves and clicks the pointer and presses keys through XTEST
(xdotool), and reads pixels back from screenshots (ImageMagick). Screen facts -
Button rectangles, cell squares, colours - come from the game's own
`zarnith_facts` tool, so no script keeps a copy of the game's tables;
`ensure_game` builds the game and the tool in this checkout's build folders
when they are missing, and never builds over a game given elsewhere.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

CANVAS_W, CANVAS_H = 1600, 900  # the game's canvas, pixels
INPUT_PAUSE = 0.05  # seconds after each pointer step: the game samples the pointer once a frame
CORNER = (5, 5)  # a canvas point that no Button, cell or text covers: it shows the background
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))  # the repository
OWN_BUILD = os.path.join(ROOT, "build")  # the checkout's release build, as tools/test.sh makes it


def facts_tool(game):
    """zarnith_facts beside the game, or else this checkout's own."""
    beside = os.path.join(os.path.dirname(os.path.abspath(game)), "zarnith_facts")
    return beside if os.access(beside, os.X_OK) else os.path.join(OWN_BUILD, "zarnith_facts")


class Facts:
    """The game's Buttons, flat cell squares and colours, as zarnith_facts prints them."""

    def __init__(self, game):
        self.buttons, self.cells, self.colours = {}, {}, {}
        for line in subprocess.run([facts_tool(game)], check=True, capture_output=True, text=True).stdout.splitlines():
            kind, *fields = line.split(" ")
            if kind == "button":
                self.buttons[" ".join(fields[4:])] = tuple(map(int, fields[:4]))
            elif kind == "cell":
                d, cell, left, top, side = map(int, fields)
                self.cells[(d, cell)] = (left, top, side)
            elif kind == "colour":
                self.colours[fields[0]] = tuple(map(int, fields[1:]))

    def play_outline(self):
        """The middle of the top edge of "Play": white on the title screen only."""
        return self.button_centre("Play")[0], self.buttons["Play"][1]

    def button_centre(self, label):
        x, y, w, h = self.buttons[label]
        return x + w // 2, y + h // 2

    def cell_centre(self, dimensions, cell):
        left, top, side = self.cells[(dimensions, cell)]
        return left + side // 2, top + side // 2

    def centre_of(self, indices):
        """The centre of the cell given by its indices, outermost first, e.g. "1121" in 4D."""
        return self.cell_centre(len(indices), int(indices, 3))

    def labels(self, suffix):
        """The Buttons of one setting, e.g. labels(" Bots")."""
        return [label for label in self.buttons if label.endswith(suffix)]

    def inside(self, label):
        """A point inside the Button near its left end, clear of its outline and label."""
        x, y, _, h = self.buttons[label]
        return x + 12, y + h // 2

    def random_point(self, label, rng):
        """A random point of the Button, edges included."""
        x, y, w, h = self.buttons[label]
        return x + rng.randint(0, w), y + rng.randint(0, h)

    def screen(self, pixel):
        """("over", 0), ("game", player to move) or ("title", 0) from what the canvas shows,
        or (None, 0) between screens; `pixel` gives the colour of a canvas point."""
        corner = pixel(CORNER)
        if corner == self.colours["black"]:
            return "over", 0
        for name, colour in self.colours.items():
            if name.startswith("turn") and corner == colour:
                return "game", int(name[4:])
        x, y, w, _ = self.buttons["Play"]  # the title's dark background is never a game colour
        return ("title", 0) if pixel((x + w // 2, y)) == self.colours["white"] else (None, 0)


class XServer:
    """A private Xvfb of the given size, with a window manager when wm names one: "openbox",
    or "fluxbox" with its toolbar along the bottom."""

    def __init__(self, width=CANVAS_W, height=CANVAS_H, wm=None, pause=INPUT_PAUSE):
        self.width, self.height, self.pause = width, height, pause
        number = next(n for n in range(90, 200) if not os.path.exists(f"/tmp/.X{n}-lock"))
        self.display = f":{number}"
        # -noreset: the server outlives its last client, so one launch cannot race the next;
        # -br: a black root, so that no pixel looks like the game's before its window shows.
        self.procs = [subprocess.Popen(["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24",
                                        "-noreset", "-nolisten", "tcp", "-br"], stderr=subprocess.DEVNULL)]
        self.env = dict(os.environ, DISPLAY=self.display)
        self.home = None
        wait_until(lambda: os.path.exists(f"/tmp/.X11-unix/X{number}"), 10, "the X server")
        if wm:
            self.procs.append(subprocess.Popen([wm], env=self._wm_env(wm), stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL))
            wait_until(self._wm_running, 10, wm)

    def _wm_env(self, wm):
        """fluxbox gets a home of its own, made afresh, where it sets no wallpaper: it would
        otherwise show a message box for the wallpaper it cannot set on Xvfb."""
        if wm != "fluxbox":
            return self.env
        self.home = tempfile.mkdtemp(prefix="zarnith-fluxbox-")
        os.mkdir(os.path.join(self.home, ".fluxbox"))
        for name, text in (("init", "session.configVersion: 13\n"), ("overlay", "background: none\n")):
            with open(os.path.join(self.home, ".fluxbox", name), "w") as f:
                f.write(text)
        return dict(self.env, HOME=self.home)

    def _wm_running(self):
        """The window manager has said who it is and where windows may go."""
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK", "_NET_WORKAREA"], env=self.env,
                             capture_output=True, text=True).stdout
        return "window id" in out and "_NET_WORKAREA(CARDINAL)" in out

    def work_area(self):
        """Where windows may go, as the window manager says: (x, y, width, height)."""
        values = self.x11("xprop", "-root", "_NET_WORKAREA").partition("=")[2]
        return tuple(map(int, values.split(",")[:4]))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        for proc in reversed(self.procs):
            stop(proc)
        if self.home:
            shutil.rmtree(self.home, ignore_errors=True)

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

    def save_png(self, path, area=None):
        """The screen, or the area (x, y, w, h) of it, without time stamps: the same picture
        always gives the same bytes."""
        crop = ["-crop", "{2}x{3}+{0}+{1}".format(*area), "+repage"] if area else []
        subprocess.run(["import", "-window", "root", *crop, "-strip", "-define", "png:exclude-chunk=date,time",
                        path], env=self.env, check=True)

    def move(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(self.pause)

    def click(self, x, y, button=1):
        """Press and release a pause apart: the release comes at least two pauses after the move,
        so a slow frame that samples the pointer late still sees it where the click is."""
        self.move(x, y)
        self.xdotool("mousedown", button)
        time.sleep(self.pause)
        self.xdotool("mouseup", button)
        time.sleep(self.pause)

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
    """The real game running on `server`, started from `cwd` (where it looks for Text.ttf).
    Its methods that take a point take it in canvas pixels, as the Facts give them."""

    def __init__(self, server, game, cwd=None, env=None, prefix=()):
        self.server = server
        self.workdir = tempfile.mkdtemp(prefix="zarnith-x-")
        self.output_path = os.path.join(self.workdir, "game.out")
        quiet = {"SDL_VIDEODRIVER": "x11", "SDL_AUDIODRIVER": "dummy"}  # X11 video, no sound device
        with open(self.output_path, "w") as out:
            self.proc = subprocess.Popen([*prefix, os.path.abspath(game)], cwd=cwd or os.path.dirname(os.path.abspath(game)),
                                         env={**server.env, **quiet, **(env or {})}, stdout=out, stderr=subprocess.STDOUT)
        self.window = None
        self.left = self.top = 0

    def wait_window(self, timeout=30):
        """Waits until the game's window is mapped; returns its id."""
        def found():
            self.check_alive()
            self.window = self.server.xdotool("search", "--onlyvisible", "--name", "^Zarnith$", check=False)
            return bool(self.window)
        wait_until(found, timeout, "the game's window")
        self.window = self.window.split()[0]
        self.left, self.top, _, _ = self.geometry()
        return self.window

    def at(self, point):
        return self.left + point[0], self.top + point[1]

    def move(self, point):
        self.server.move(*self.at(point))

    def click(self, point, button=1):
        self.server.click(*self.at(point), button)

    def drag(self, start, end, steps=6):
        self.server.drag(*self.at(start), *self.at(end), steps)

    def await_colour(self, facts, point, colour, what, timeout=20):
        """Waits until the canvas point shows the colour the facts name `colour`."""
        wait_until(lambda: self.server.screenshot().pixel(*self.to_screen(point)) == facts.colours[colour], timeout, what)

    def screen(self, facts):
        """What the game shows now, as Facts.screen tells it."""
        shot = self.server.screenshot()
        return facts.screen(lambda point: shot.pixel(*self.at(point)))

    def await_screen(self, facts, kinds, timeout, what):
        """Waits until the game shows one of `kinds` ("title", "game", "over"); returns what it shows."""
        seen = [None, 0]
        def shows():
            self.check_alive()
            seen[:] = self.screen(facts)
            return seen[0] in kinds
        wait_until(shows, timeout, what)
        return tuple(seen)

    def save_png(self, path):
        self.server.save_png(path, (self.left, self.top, CANVAS_W, CANVAS_H))

    def geometry(self):
        """The inside of the window as (x, y, width, height) on the screen. xwininfo, because
        xdotool counts a window manager's frame offset twice. A window that went away while
        the window manager switched it to or from fullscreen is looked up again."""
        try:
            info = self.server.x11("xwininfo", "-id", self.window)
        except subprocess.CalledProcessError:
            self.wait_window()
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


def positive(text):
    """An argparse type: a whole number above 0."""
    if not text.isdigit() or int(text) == 0:
        raise argparse.ArgumentTypeError(f"not a whole number above 0: {text}")
    return int(text)


def random_canvas_point(rng):
    return rng.randrange(CANVAS_W), rng.randrange(CANVAS_H)


def ensure_game(game, build_type="Release", cmake_options=(), packages=()):
    """Makes sure `game` and its facts can run, and installs the test packages of
    tools/common.sh and `packages` when missing. A game in one of this checkout's build
    folders is built there, with zarnith_facts, when either is missing. A game given
    elsewhere is only run, never built over: it must exist, and its facts come from
    beside it or else from this checkout's build/, built when missing."""
    common = os.path.join(ROOT, "tools", "common.sh")
    folder = os.path.dirname(os.path.abspath(game))
    own = os.path.dirname(folder) == ROOT and os.path.basename(folder).startswith("build")
    if own and not all(os.access(p, os.X_OK) for p in (game, os.path.join(folder, "zarnith_facts"))):
        build(common, folder, ["zarnith", "zarnith_facts"], build_type, cmake_options)
    elif not own:
        if not os.access(game, os.X_OK):
            sys.exit(f"error: {game} is not an executable game; only this checkout's build folders are built")
        if not os.access(facts_tool(game), os.X_OK):
            build(common, OWN_BUILD, ["zarnith_facts"], "Release", ())
    subprocess.run(["bash", "-c", 'source "$0" && ensure_packages "${TEST_PACKAGES[@]}" "$@"', common, *packages],
                   check=True)


def build(common, folder, targets, build_type, cmake_options):
    """Configures and builds `targets` in `folder`, a build folder of this checkout."""
    subprocess.run(["bash", "-c", 'source "$0" && ensure_packages "${BUILD_PACKAGES[@]}"', common], check=True)
    subprocess.run(["cmake", "-S", ROOT, "-B", folder, f"-DCMAKE_BUILD_TYPE={build_type}", *cmake_options], check=True)
    subprocess.run(["cmake", "--build", folder, "--target", *targets, "-j2"], check=True)


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
