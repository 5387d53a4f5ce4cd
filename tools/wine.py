"""Runs the Windows build of Zarnith under Debian's wine64, for the end-to-end test of the zip.

`windows_game` makes the zip with tools/windows.sh and unpacks it; `wine_prefix` gives a fresh
Wine prefix on an XServer of tools/xgame.py and leaves no Wine process behind.
"""
import contextlib
import os
import shutil
import subprocess
import tempfile
import zipfile

from xgame import ROOT

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"


def windows_game(folder):
    """Makes the zip in `folder`, unpacks it there and returns the path of its zarnith.exe."""
    made = subprocess.run(["bash", os.path.join(ROOT, "tools", "windows.sh"), folder], check=True,
                          stdout=subprocess.PIPE, text=True)
    with zipfile.ZipFile(made.stdout.splitlines()[-1]) as archive:
        archive.extractall(folder)
        top = archive.namelist()[0].split("/")[0]
    return os.path.join(folder, top, "zarnith.exe")


@contextlib.contextmanager
def wine_prefix(server):
    """A fresh Wine prefix, made ready on `server`. Yields the environment and the command prefix
    that run a Windows program in it, for xgame.Game's env and prefix. On leaving, the prefix's
    wineserver ends with every program it serves, and the prefix is removed."""
    folder = tempfile.mkdtemp(prefix="zarnith-wine-")
    env = dict(server.env, WINEPREFIX=folder, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=",  # no Mono or Gecko installer dialog
               SDL_VIDEODRIVER="windows")  # SDL inside Wine draws through Windows, not X11 itself
    try:
        subprocess.run([WINE, "wineboot", "--init"], env=env, check=True, capture_output=True)
        subprocess.run([WINESERVER, "--wait"], env=env, check=True)
        yield env, (WINE,)
    finally:
        subprocess.run([WINESERVER, "--kill"], env=env)
        subprocess.run([WINESERVER, "--wait"], env=env)
        shutil.rmtree(folder, ignore_errors=True)
