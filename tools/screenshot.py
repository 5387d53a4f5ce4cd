#!/usr/bin/env python3
"""Plays a scripted session of the real game under a private X server and saves the README's
pictures into docs/: the title screen, a won two-dimensional game, three- and four-dimensional
games with their projected views, and a five-dimensional game in progress.

Usage: python3 tools/screenshot.py [path/to/zarnith]   (default: build/zarnith, built when missing)
"""
import os
import sys
import time

from xgame import ROOT, Facts, Game, XServer, ensure_game, wait_until

SETTLE = 0.5  # seconds for the screen to come to rest before a picture
STILL_PAUSE = 0.3  # seconds between two screenshots that must agree once the w turn is over
TURN_TIMEOUT = 60  # seconds for the quarter turn, a small step a frame: slow on a busy machine
INPUT_PAUSE = 0.2  # seconds after each pointer step: a 4D frame takes up to 0.1 s on a busy machine
GAME = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "zarnith")
ensure_game(GAME)
FACTS = Facts(GAME)
DOCS = os.path.join(ROOT, "docs")


def picture(game, name):
    time.sleep(SETTLE)
    game.save_png(os.path.join(DOCS, name + ".png"))
    print(f"wrote docs/{name}.png")


def new_game(game, *labels):
    """From a game: "Back", then on the title screen the Buttons `labels` and "Play"."""
    game.click(FACTS.button_centre("Back"))
    game.await_screen(FACTS, ("title",), 10, "the title screen")
    for label in (*labels, "Play"):
        game.click(FACTS.button_centre(label))
    game.await_screen(FACTS, ("game",), 10, "the game screen")


def moves(game, *cells):
    for indices in cells:
        game.click(FACTS.centre_of(indices))


def hover(game, indices):
    game.move(FACTS.centre_of(indices))


def at_rest(game):
    """True when two screenshots a moment apart agree: the w turn of the 4D view is over."""
    first = game.server.screenshot().raw
    time.sleep(STILL_PAUSE)
    return game.server.screenshot().raw == first


os.makedirs(DOCS, exist_ok=True)
with XServer(pause=INPUT_PAUSE) as x, Game(x, GAME) as game:
    game.wait_window()
    game.await_screen(FACTS, ("title",), 10, "the title screen")
    game.move(FACTS.button_centre("Play"))
    picture(game, "title")

    for label in ("2 Dimensions", "2 Players", "Play"):
        game.click(FACTS.button_centre(label))
    game.await_screen(FACTS, ("game",), 10, "the game screen")
    moves(game, "11", "10", "02", "21", "20")
    game.move((1100, 600))
    game.await_screen(FACTS, ("over",), 5, "the end of the two-dimensional game")
    picture(game, "game-2d-won")

    new_game(game, "3 Dimensions", "3 Players", "Assist Mode")
    moves(game, "111", "000", "222", "011", "200", "102")
    game.drag((1000, 850), (1060, 840))
    hover(game, "211")
    picture(game, "game-3d")

    new_game(game, "4 Dimensions")
    moves(game, "1111", "0000", "2222", "0101", "1010", "2121", "0210", "1202", "2001")
    game.click(FACTS.button_centre("W Rotation"))
    wait_until(lambda: at_rest(game), TURN_TIMEOUT, "the end of the quarter turn")
    hover(game, "1121")
    picture(game, "game-4d")

    new_game(game, "5 Dimensions")
    moves(game, "11111", "00000", "22222", "11100", "10121", "21011", "02102", "20201", "01020")
    hover(game, "11122")
    picture(game, "game-5d")

    x.key("Escape")
    status = game.wait_exit()
    if status != 0:
        sys.exit(f"Escape ended the game with status {status}: {game.output()}")
