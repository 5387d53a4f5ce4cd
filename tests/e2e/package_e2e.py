#!/usr/bin/env python3
# The Debian package as a player gets it: tools/package.sh builds and checks it (in its own build
# folder), and unpacked with dpkg-deb its desktop entry's Exec line shows the title screen, text
# included, from any folder.
# Usage: PYTHONPATH=tools package_e2e.py path/to/zarnith (whose zarnith_facts gives the colours)
import os
import subprocess
import sys
import tempfile

from xgame import Facts, Game, XServer, wait_until

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")

WHITE = Facts(sys.argv[1]).colours["white"]
with tempfile.TemporaryDirectory() as work:
    made = subprocess.run(["bash", f"{ROOT}/tools/package.sh", work], check=True, capture_output=True, text=True)
    subprocess.run(["dpkg-deb", "-x", made.stdout.splitlines()[-1], work], check=True)
    exec_line = next(line for line in open(f"{work}/usr/share/applications/zarnith.desktop") if line.startswith("Exec="))
    # /usr/games is on a session's PATH.
    with XServer() as x, Game(x, f"{work}/usr/games/{exec_line[5:].strip()}", cwd="/") as game:
        game.wait_window()
        # The title "Zarnith" is drawn in white in this box only when the font was found.
        wait_until(lambda: x.screenshot().count(WHITE, 500, 100, 1100, 200) > 300, 10, "the title's text")
        game.proc.terminate()
        assert game.wait_exit() == 0, game.output()
