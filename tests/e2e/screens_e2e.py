#!/usr/bin/env python3
"""The real game under openbox on screens other than its canvas: on 1366x768 the framed window
fits and a click on the scaled 2D board marks the cell under it; on 1920x1080 F11 fills the screen
with the scaled title, the scaled "Play" starts a game, and F11 again brings the window back.
Usage: screens_e2e.py path/to/zarnith"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from xgame import Facts, Game, XServer, wait_until  # noqa: E402

GAME = sys.argv[1]
FACTS = Facts(GAME)
COLOUR = FACTS.colours
CORNER = (5, 5)  # a canvas point that no Button, cell or text covers


def await_colour(x, game, point, colour, what, same=True):
    wait_until(lambda: (x.screenshot().pixel(*game.to_screen(point)) == COLOUR[colour]) == same, 10, what)


with XServer(1366, 768, wm=True) as x, Game(x, GAME) as game:
    game.wait_window()
    await_colour(x, game, CORNER, "black", "the title screen's first frame", same=False)
    left, top, width, height = game.frame()
    assert left >= 0 and top >= 0 and left + width <= x.width and top + height <= x.height, game.frame()
    for label in ("2 Dimensions", "2 Players", "0 Bots", "Play"):
        x.click(*game.to_screen(FACTS.button_centre(label)))
    await_colour(x, game, CORNER, "turn1", "a 2D game on the scaled canvas")
    x.click(*game.to_screen(FACTS.cell_centre(2, 4)))
    await_colour(x, game, CORNER, "turn2", "player 2's turn after the click")
    shot = x.screenshot()
    squares = {cell: FACTS.cells[(2, cell)] for cell in range(9)}
    marked = [cell for cell, (l, t, s) in squares.items()
              if shot.count(COLOUR["mark1"], *game.to_screen((l, t)), *game.to_screen((l + s, t + s)))]
    assert marked == [4], f"player 1's mark is in cells {marked}, not in the clicked cell 4"
    print(f"ok - 1366x768: a {width}x{height} frame fits, a click marks the scaled cell under it")

with XServer(1920, 1080, wm=True) as x, Game(x, GAME) as game:
    game.wait_window()
    windowed = game.geometry()
    x.key("F11")
    wait_until(lambda: game.geometry() == (0, 0, x.width, x.height), 10, "fullscreen")
    bx, by, bw, _ = FACTS.buttons["Play"]
    play_outline = (bx + bw // 2, by)
    await_colour(x, game, play_outline, "white", "the scaled title screen")
    assert x.screenshot().pixel(*play_outline) != COLOUR["white"], "the title is drawn unscaled"
    x.click(*game.to_screen(FACTS.button_centre("Play")))
    wait_until(lambda: x.screenshot().pixel(x.width - 1, x.height - 1) == COLOUR["turn1"], 10,
               "a game whose background fills the whole screen")
    x.key("F11")
    wait_until(lambda: game.geometry() == windowed, 10, f"the window back at {windowed}")
    print("ok - 1920x1080: F11 fills the screen with the scaled canvas, Play hits, F11 returns")
