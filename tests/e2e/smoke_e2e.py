#!/usr/bin/env python3
"""The real game under Xvfb with real X input: it starts on the title screen, a 2D game is
won by clicks, "Back" returns to the title, Escape ends it with status 0, and without its
font it still plays. Usage: smoke_e2e.py path/to/zarnith"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from xgame import CORNER, Facts, Game, XServer, wait_until  # noqa: E402

GAME = sys.argv[1]
FACTS = Facts(GAME)
COLOUR = FACTS.colours


def play_session(x, cwd=None):
    with Game(x, GAME, cwd=cwd) as game:
        game.wait_window()
        left, top, _, _ = game.geometry()
        click = lambda point: x.click(left + point[0], top + point[1])
        pixel = lambda point: x.screenshot().pixel(left + point[0], top + point[1])

        def await_colour(point, colour, what):
            wait_until(lambda: pixel(point) == COLOUR[colour], 10, what)

        bx, by, bw, _ = FACTS.buttons["Play"]
        play_outline = (bx + bw // 2, by)
        await_colour(play_outline, "white", "the title screen")
        for label in ("2 Dimensions", "2 Players", "0 Bots", "Play"):
            click(FACTS.button_centre(label))
        await_colour(CORNER, "turn1", "a 2D game with player 1 to move")
        for cell in (0, 3, 1, 4, 2):  # player 1 takes the line of cells 0, 1, 2
            click(FACTS.cell_centre(2, cell))
        await_colour(CORNER, "black", "the end of the game")
        first, second = FACTS.cell_centre(2, 0), FACTS.cell_centre(2, 1)
        await_colour(((first[0] + second[0]) // 2, (first[1] + second[1]) // 2), "mark1",
                     "the winning line in player 1's colour")
        click(FACTS.button_centre("Back"))
        await_colour(play_outline, "white", "the title screen after \"Back\"")
        x.key("Escape")
        status = game.wait_exit()
        assert status == 0, f"Escape ended the game with status {status}: {game.output()}"
        print(f"ok - {'without its font' if cwd else 'with its font'}: title, a 2D game won, Back, Escape")


with XServer() as server:
    play_session(server)
    with tempfile.TemporaryDirectory() as empty:
        play_session(server, cwd=empty)
