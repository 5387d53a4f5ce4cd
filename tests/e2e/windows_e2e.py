#!/usr/bin/env python3
# The Windows zip as a player gets it: tools/windows.sh makes it, and unpacked into a temporary
# folder its zarnith.exe runs under wine64 in a fresh Wine prefix on a private Xvfb, started in its
# own folder as a double-click starts it. It shows the title, "Play" starts a game with player 1 to
# move, "Back" returns to the title and Escape ends it with status 0; without Text.ttf too.
# Usage: PYTHONPATH=tools windows_e2e.py path/to/zarnith (whose zarnith_facts gives the Buttons and colours)
import os
import sys
import tempfile

from wine import windows_game, wine_prefix
from xgame import CORNER, Facts, Game, XServer

FACTS = Facts(sys.argv[1])
PLAY_OUTLINE = FACTS.play_outline()


with tempfile.TemporaryDirectory() as work, XServer() as x, wine_prefix(x) as (env, wine):
    exe = windows_game(work)
    for font in ("with", "without"):
        if font == "without":
            os.remove(os.path.join(os.path.dirname(exe), "Text.ttf"))
        with Game(x, exe, env=env, prefix=wine) as game:
            game.wait_window(60)
            game.await_colour(FACTS, PLAY_OUTLINE, "white", f"the title screen {font} Text.ttf")
            x.click(*game.to_screen(FACTS.button_centre("Play")))
            game.await_colour(FACTS, CORNER, "turn1", "a game with player 1 to move")
            x.click(*game.to_screen(FACTS.button_centre("Back")))
            game.await_colour(FACTS, PLAY_OUTLINE, "white", "the title screen after \"Back\"")
            x.key("Escape")
            assert game.wait_exit(30) == 0, f"Escape: status {game.proc.returncode}: {game.output()}"
