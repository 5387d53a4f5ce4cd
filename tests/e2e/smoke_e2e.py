#!/usr/bin/env python3
# The real game under Xvfb with real X input. On a 1600x900 screen it starts on the title, a 2D
# game is won by clicks, "Back" returns to the title and an Escape tap ends it with status 0. Under
# openbox on 1366x768 the framed window fits the screen, and its scaled Buttons start a game.
# Usage: PYTHONPATH=tools smoke_e2e.py path/to/zarnith
import sys

from xgame import CORNER, Facts, Game, XServer, wait_until

GAME = sys.argv[1]
FACTS = Facts(GAME)
PLAY_OUTLINE = FACTS.play_outline()


def click(x, game, *labels):
    for label in labels:
        x.click(*game.to_screen(FACTS.button_centre(label)))


def start_2d_game(x, game):
    # Then the title's first frame: its background is never black.
    game.wait_window()
    wait_until(lambda: x.screenshot().pixel(*game.to_screen(CORNER)) != FACTS.colours["black"], 10, "the title screen")
    click(x, game, "2 Dimensions", "2 Players", "0 Bots", "Play")
    game.await_colour(FACTS, CORNER, "turn1", "a 2D game with player 1 to move")


with XServer() as x, Game(x, GAME) as game:
    start_2d_game(x, game)
    # Player 1 takes the line of cells 0, 1, 2.
    for cell in (0, 3, 1, 4, 2):
        x.click(*game.to_screen(FACTS.cell_centre(2, cell)))
    game.await_colour(FACTS, CORNER, "black", "the end of the game")
    click(x, game, "Back")
    game.await_colour(FACTS, PLAY_OUTLINE, "white", "the title screen after \"Back\"")
    x.key("Escape")
    assert game.wait_exit() == 0, f"Escape: status {game.proc.returncode}: {game.output()}"

# A desktop smaller than the canvas: the window is scaled down to fit with its frame, centred.
with XServer(1366, 768, wm=True) as x, Game(x, GAME) as game:
    start_2d_game(x, game)
    left, top, width, height = game.frame()
    assert left >= 0 and top >= 0 and abs(2 * left + width - x.width) <= 1 and abs(2 * top + height - x.height) <= 1
