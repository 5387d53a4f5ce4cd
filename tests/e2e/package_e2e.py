#!/usr/bin/env python3
# The Debian package as a player gets it: tools/package.sh builds and checks it (in its own build
# folder), and unpacked with dpkg-deb, in the games section, its desktop entry names an icon it
# holds and its Exec line shows the title screen, text included, from any folder.
# Usage: package_e2e.py path/to/zarnith (whose zarnith_facts gives the colours)
import glob
import os
import subprocess
import sys
import tempfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools"))
from xgame import Facts, Game, XServer, wait_until  # noqa: E402


def run(*command):
    result = subprocess.run(command, capture_output=True, text=True)
    assert result.returncode == 0, f"{' '.join(command)}: {result.stdout}{result.stderr}"
    return result.stdout


WHITE = Facts(sys.argv[1]).colours["white"]
with tempfile.TemporaryDirectory() as work:
    package = run("bash", f"{ROOT}/tools/package.sh", work).splitlines()[-1]
    assert run("dpkg-deb", "-f", package, "Section").strip() == "games"
    tree = os.path.join(work, "unpacked")
    run("dpkg-deb", "-x", package, tree)
    desktop = os.path.join(tree, "usr/share/applications/zarnith.desktop")
    entry = dict(line.strip().split("=", 1) for line in open(desktop) if "=" in line)
    assert glob.glob(f"{tree}/usr/share/icons/hicolor/*/apps/{entry['Icon']}.*"), entry["Icon"]
    with XServer() as x, Game(x, f"{tree}/usr/games/{entry['Exec']}", cwd="/") as game:  # /usr/games is on a session's PATH
        game.wait_window()
        # The title "Zarnith" is drawn in white in this box only when the font was found.
        wait_until(lambda: x.screenshot().count(WHITE, 500, 100, 1100, 200) > 300, 10, "the title's text")
        game.proc.terminate()
        assert game.wait_exit() == 0, game.output()
