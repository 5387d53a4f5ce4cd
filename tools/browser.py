"""Runs the browser build of Zarnith in Debian's headless Chromium, driven through chromium-driver.

Shared by the end-to-end test of the page and the tool that measures it. `web_folder` makes the
folder with tools/web.sh; `serve` serves it from 127.0.0.1 under a sub-path, as a static host
would; `chromium` starts headless Chromium as the test starts it. A `Page` drives the game only
with real pointer, touch and key input through WebDriver's actions, and reads the canvas's pixels
back; a watcher that the page gets before any of its own scripts counts the display frames the
game asks for and keeps the first frame it drew. Needs Debian's python3-selenium, so it runs
under Debian's /usr/bin/python3.
"""
import base64
import contextlib
import functools
import http.server
import os
import subprocess
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from xgame import CANVAS_H, CANVAS_W, CORNER, ROOT, wait_until

# Before the page's own scripts: requestAnimationFrame counts the callbacks that others (the game's
# main loop) ask for, and a frame of the watcher's own, which runs before the game's in each
# display frame, keeps the first picture the game drew, as a PNG, with its time.
WATCHER = """
window.zarnithWatch = { gameFrames: 0, firstFrame: null, firstFrameMs: null };
const ask = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = (callback) => ask((now) => { zarnithWatch.gameFrames++; callback(now); });
function watch() {
  // The context SDL made, once it has made one: asking the canvas for one first would choose
  // its kind. A WebGL context has no pixels to read here.
  const context = window.Module && Module.ctx;
  if (context && context.getImageData && context.getImageData(0, 0, 1, 1).data[3] !== 0) {
    zarnithWatch.firstFrameMs = performance.now();
    zarnithWatch.firstFrame = context.canvas.toDataURL("image/png");
  }
  if (!zarnithWatch.firstFrame) ask(watch);
}
ask(watch);
"""

# In the page: the times of the display frames at which a canvas point first shows a colour, then
# first shows another, read at each display frame.
WATCH_COLOUR = """
const [x, y, colour] = arguments;
const context = document.getElementById("canvas").getContext("2d");
window.colourShown = {};
function look(now) {
  const shown = Array.from(context.getImageData(x, y, 1, 1).data.slice(0, 3)).join();
  if (!colourShown.start && shown === colour) colourShown.start = now;
  if (colourShown.start && shown !== colour) colourShown.end = now;
  if (!colourShown.end) requestAnimationFrame(look);
}
requestAnimationFrame(look);
"""


def web_folder(folder):
    """Makes zarnith-<version>-web/ in `folder` with tools/web.sh and returns its path."""
    made = subprocess.run(["bash", os.path.join(ROOT, "tools", "web.sh"), folder], check=True,
                          stdout=subprocess.PIPE, text=True)
    return made.stdout.splitlines()[-1]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(folder):
    """Serves the parent of `folder` from 127.0.0.1; yields the address of `folder` in it, so that
    the page is loaded from a sub-path as from a static host."""
    handler = functools.partial(QuietHandler, directory=os.path.dirname(os.path.abspath(folder)))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_port}/{os.path.basename(folder)}/"
    finally:
        server.shutdown()
        server.server_close()


@contextlib.contextmanager
def chromium(width=CANVAS_W, height=CANVAS_H, extra=()):
    """Headless Chromium with a window of this inside size, its console kept for reading."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    # The machine's network is closed: nothing is fetched but the page.
    for flag in ("--headless=new", "--enable-unsafe-swiftshader", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-quic",
                 "--disable-dev-shm-usage", f"--window-size={width},{height}", *extra):
        options.add_argument(flag)
    if os.geteuid() == 0:
        options.add_argument("--no-sandbox")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        resize_inside(driver, width, height)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WATCHER})
        yield driver
    finally:
        driver.quit()


def resize_inside(driver, width, height):
    """Sizes the window so that the page inside it is width x height CSS pixels."""
    outer = driver.get_window_size()
    inner = driver.execute_script("return [innerWidth, innerHeight]")
    driver.set_window_size(width + outer["width"] - inner[0], height + outer["height"] - inner[1])


class Page:
    """The game's page in `driver`. Points are canvas pixels, as zarnith_facts gives them; `facts`
    (xgame.Facts) names the Buttons, cells and colours."""

    def __init__(self, driver, address, facts):
        self.driver, self.facts = driver, facts
        driver.get(address)

    def click_labels(self, *labels, tap=False):
        for label in labels:
            (self.tap if tap else self.click)(self.facts.button_centre(label))

    def await_title(self, what):
        self.await_pixel(self.facts.play_outline(), self.facts.colours["white"], what)

    def await_turn(self, player, what):
        self.await_pixel(CORNER, self.facts.colours[f"turn{player}"], what)

    def await_mark(self, dimensions, cell, player, what):
        self.await_pixel(self.facts.cell_centre(dimensions, cell), self.facts.colours[f"mark{player}"], what)

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    def wait_first_frame(self, timeout=30):
        """Waits for the game's first frame; returns the time from navigation to it, in seconds."""
        wait_until(lambda: self.script("return zarnithWatch.firstFrameMs"), timeout, "the first frame")
        return self.script("return zarnithWatch.firstFrameMs") / 1000

    def first_frame(self):
        """The first frame the game drew, as rows of 8-bit RGB."""
        url = self.script("return zarnithWatch.firstFrame")
        return png_to_rgb(base64.b64decode(url.split(",", 1)[1]))

    def frame(self):
        """The canvas now, as rows of 8-bit RGB."""
        url = self.script("return document.getElementById('canvas').toDataURL('image/png')")
        return png_to_rgb(base64.b64decode(url.split(",", 1)[1]))

    def pixel(self, point):
        return tuple(self.script(
            "return Array.from(document.getElementById('canvas').getContext('2d')"
            ".getImageData(arguments[0], arguments[1], 1, 1).data.slice(0, 3))", *point))

    def game_frames(self):
        """How many display frames the game has asked the browser for so far."""
        return self.script("return zarnithWatch.gameFrames")

    def time_shown(self, point, colour, act, timeout=10):
        """Does `act`, then returns how long the canvas point showed `colour`: from the first
        display frame that showed it to the first that did not, timed in the page."""
        self.script(WATCH_COLOUR, *point, ",".join(map(str, colour)))
        act()
        wait_until(lambda: self.script("return colourShown.end"), timeout, f"the end of {colour} at {point}")
        shown = self.script("return colourShown")
        return (shown["end"] - shown["start"]) / 1000

    def ended(self, how, seconds=0.5):
        """Waits for the page that says the game has ended; whether it hides the canvas and the game
        asks the browser for no display frame over `seconds`."""
        wait_until(lambda: self.visible("again"), 10, f"the ended page after {how}")
        frames = self.game_frames()
        time.sleep(seconds)
        return not self.visible("canvas") and self.game_frames() == frames

    def visible(self, element_id):
        return self.script("const e = document.getElementById(arguments[0]);"
                           "return !!e && !e.hidden && e.offsetParent !== null", element_id)

    def to_client(self, point):
        """The page point over the centre of a canvas pixel, in CSS pixels, whole."""
        rect = self.script("const r = document.getElementById('canvas').getBoundingClientRect();"
                           "return [r.left, r.top, r.width, r.height]")
        left, top, width, height = rect
        return (int(left + (point[0] + 0.5) * width / CANVAS_W),
                int(top + (point[1] + 0.5) * height / CANVAS_H))

    def _pointer(self, kind):
        builder = ActionBuilder(self.driver, mouse=PointerInput(kind, kind))
        return builder, builder.pointer_action

    def move(self, point):
        builder, pointer = self._pointer(interaction.POINTER_MOUSE)
        pointer.move_to_location(*self.to_client(point))
        builder.perform()
        time.sleep(0.05)

    def click(self, point):
        """Moves there, presses and releases: the game samples the pointer once a step, so the
        release comes a pause after the move."""
        self.move(point)
        builder, pointer = self._pointer(interaction.POINTER_MOUSE)
        pointer.pointer_down().pause(0.05).pointer_up()
        builder.perform()
        time.sleep(0.05)

    def tap(self, point):
        builder, pointer = self._pointer(interaction.POINTER_TOUCH)
        pointer.move_to_location(*self.to_client(point)).pointer_down().pause(0.05).pointer_up()
        builder.perform()
        time.sleep(0.05)

    def touch_drag(self, start, end, steps=8):
        builder, pointer = self._pointer(interaction.POINTER_TOUCH)
        pointer.move_to_location(*self.to_client(start)).pointer_down()
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            pointer.pause(0.03).move_to_location(*self.to_client((x, y)))
        pointer.pointer_up()
        builder.perform()

    def click_element(self, element_id):
        """A real click on one of the page's own elements."""
        self.driver.find_element(By.ID, element_id).click()

    def key(self, name):
        webdriver.ActionChains(self.driver).send_keys(getattr(Keys, name)).perform()

    def await_pixel(self, point, colour, what, timeout=20):
        wait_until(lambda: self.pixel(point) == colour, timeout, what)

    def console_errors(self):
        return [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]


def png_to_rgb(png):
    return subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"], input=png, check=True,
                          capture_output=True).stdout


def png_file_to_rgb(path):
    return subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout


def golden(name):
    """The golden frame tests/golden/<name>.png, as rows of 8-bit RGB."""
    return png_file_to_rgb(os.path.join(ROOT, "tests", "golden", name + ".png"))


def differing_pixels(a, b):
    """The canvas points where two RGB frames differ."""
    return [(i // 3 % CANVAS_W, i // 3 // CANVAS_W) for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3]]
