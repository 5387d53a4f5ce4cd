#!/usr/bin/env python3
# The real game under Xvfb with real X input, on a 1366x768 screen: the framed window fits the work
# area, centred, under openbox (its scaled Buttons start a game, and an Escape tap ends it with
# status 0) and under fluxbox, whose toolbar takes 20 pixels; and a frame reported late, after the
# window is shown, shrinks the window until it fits with it. SIGTERM ends the game with status 0,
# and without a video driver it says so and exits with 1. Winning, "Back" and what Escape does in
# a frame are the unit tests' and goldens'.
# Usage: PYTHONPATH=tools smoke_e2e.py path/to/zarnith
import os
import subprocess
import sys

from xgame import CORNER, Facts, Game, XServer, wait_until

GAME = sys.argv[1]
FACTS = Facts(GAME)


def await_title(x, game):
    # The title's first frame: its background is never black.
    game.wait_window()
    wait_until(lambda: x.screenshot().pixel(*game.to_screen(CORNER)) != FACTS.colours["black"], 10, "the title screen")


def fit_problem(x, game):
    """What keeps the framed window from fitting the work area, 16:9 and centred; None when it fits."""
    left, top, width, height = game.frame()
    area_left, area_top, area_width, area_height = x.work_area()
    inside_width, inside_height = game.geometry()[2:]
    centred = abs(2 * (left - area_left) + width - area_width) <= 1 and abs(2 * (top - area_top) + height - area_height) <= 1
    if inside_width * 9 == inside_height * 16 and left >= area_left and top >= area_top and centred:
        return None
    return (f"inside {inside_width}x{inside_height}, frame {width}x{height} at ({left}, {top}), "
            f"work area {area_width}x{area_height} at ({area_left}, {area_top})")


def assert_fits_centred(x, game):
    # The window manager may size and move the window in two steps: the fit is awaited.
    try:
        wait_until(lambda: fit_problem(x, game) is None, 5, "the window to fit")
    except TimeoutError:
        raise AssertionError(f"the window does not fit: {fit_problem(x, game)}") from None


# A desktop smaller than the canvas: the window is scaled down to fit with its frame, centred.
with XServer(1366, 768, wm="openbox") as x, Game(x, GAME) as game:
    await_title(x, game)
    for label in ("2 Dimensions", "2 Players", "0 Bots", "Play"):
        x.click(*game.to_screen(FACTS.button_centre(label)))
    game.await_colour(FACTS, CORNER, "turn1", "a 2D game with player 1 to move")
    assert_fits_centred(x, game)
    x.key("Escape")
    assert game.wait_exit() == 0, f"Escape: status {game.proc.returncode}: {game.output()}"

# fluxbox may report the frame only after the window shows.
with XServer(1366, 768, wm="fluxbox") as x, Game(x, GAME) as game:
    await_title(x, game)
    assert_fits_centred(x, game)
    game.proc.terminate()
    assert game.wait_exit() == 0, f"SIGTERM: status {game.proc.returncode}: {game.output()}"

# No window manager, so no frame, until the shown window is given a frame of a 24-pixel title bar
# and no sides, as some window managers draw.
with XServer(1366, 768) as x, Game(x, GAME) as game:
    await_title(x, game)
    x.x11("xprop", "-id", game.window, "-f", "_NET_FRAME_EXTENTS", "32c", "-set", "_NET_FRAME_EXTENTS", "0,0,24,0")
    wait_until(lambda: game.frame()[3] <= x.height, 5, "the window to shrink to fit its late frame")
    assert game.frame()[2] <= x.width, f"the late frame left the window too wide: {game.frame()}"

# SDL_VIDEODRIVER=nosuch makes SDL_Init and the window really fail.
no_driver = subprocess.run([GAME], env=dict(os.environ, SDL_VIDEODRIVER="nosuch"), capture_output=True, text=True)
assert no_driver.returncode == 1, f"without a video driver: status {no_driver.returncode}"
said = "Failed at SDL_Init()\nFailed at SDL_CreateWindowAndRenderer()\n"
assert no_driver.stdout == said, f"without a video driver the game said {no_driver.stdout!r}"
