#!/usr/bin/env python3
"""Runs the real game under valgrind's memcheck through a scripted session under a private X
server: the title screen, a 2D game of two "Hard" bots to its end, 3D and 4D games with clicks,
drags, "Reset" and "W Rotation", a 5D game with clicks, "Back" and "Quit". Fails on any invalid
read or write, on any "definitely lost" block allocated with the game's own code on the stack,
and on any other memory error raised inside the game's own code. What D-Bus, X11, the GL
driver, fontconfig, FreeType and the C library's loader keep by design is suppressed by
tools/valgrind.supp. The game runs on SDL's software renderer, the same game code: under
valgrind the GL driver (Mesa's llvmpipe, whose shaders are JIT code) takes about a second a
frame. The full valgrind log is kept as memcheck.log beside the game.

Usage: python3 tools/memcheck.py [path/to/zarnith]
  (default: build-memcheck/zarnith, built RelWithDebInfo when missing;
   ZARNITH_MEMCHECK_OPTIONS adds valgrind options, e.g. --gen-suppressions=all)
"""
import os
import re
import shutil
import sys
import tempfile
import time

from xgame import ROOT, Facts, Game, XServer, ensure_game

ERROR_STATUS = 99  # valgrind's exit status when it counted errors
STEP = 0.5  # seconds after each pointer step: a frame under valgrind takes 20 to 50 ms
START_TIMEOUT = 300  # seconds for the first picture under valgrind
MOVE_TIMEOUT = 120  # seconds for a screen change or a bot's move
EXIT_TIMEOUT = 900  # seconds for the leak check after "Quit"
# A stack frame in the game's own sources, by folder; system headers under /usr are not.
GAME_FRAME = re.compile(r"\(/[^)]*/(platform|rules|bots|render|screens|app)/[^/)]+:\d+\)$")
FRAME = re.compile(r"^ +(at|by) 0x")
SUMMARY = re.compile(r"definitely lost:|indirectly lost:|possibly lost:|still reachable:|suppressed:|ERROR SUMMARY")

GAME = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-memcheck", "zarnith")
ensure_game(GAME, "RelWithDebInfo", ["-DZARNITH_TESTS=OFF", "-DZARNITH_BENCHMARKS=OFF"], ["valgrind"])
FACTS = Facts(GAME)
LOG = os.path.join(os.path.dirname(os.path.abspath(GAME)), "memcheck.log")


def valgrind(log_pattern):
    return ["valgrind", "--tool=memcheck", "--leak-check=full", "--show-leak-kinds=definite,indirect,possible",
            "--errors-for-leak-kinds=definite", f"--suppressions={ROOT}/tools/valgrind.supp",
            f"--error-exitcode={ERROR_STATUS}", "--keep-debuginfo=yes", "--fullpath-after=", "--num-callers=40",
            *os.environ.get("ZARNITH_MEMCHECK_OPTIONS", "").split(), f"--log-file={log_pattern}"]


def session(game):
    def buttons(*labels):
        for label in labels:
            game.click(FACTS.button_centre(label))

    def cells(*cells):
        for indices in cells:
            game.click(FACTS.centre_of(indices))

    def await_screen(kind, timeout=MOVE_TIMEOUT):
        game.await_screen(FACTS, (kind,), timeout, f"the {kind} screen")

    def play(*labels):
        buttons(*labels, "Play")
        await_screen("game")

    def back(what):
        buttons("Back")
        await_screen("title")
        print(f"# {what}", flush=True)

    await_screen("title", START_TIMEOUT)
    for label in ("Play", "Assist Mode", "5 Players", "Hard"):
        game.move(FACTS.inside(label))
    print("# title screen shown", flush=True)
    play("2 Dimensions", "2 Players", "2 Bots", "Hard")
    await_screen("over", 10 * MOVE_TIMEOUT)
    back("2D game of two bots played to its end")
    play("3 Dimensions", "0 Bots", "Assist Mode")
    cells("111", "000", "222")
    game.move(FACTS.centre_of("012"))
    game.drag((1000, 300), (1200, 400))
    buttons("Reset")
    time.sleep(2)
    back("3D game with clicks, a drag and \"Reset\"")
    play("4 Dimensions", "3 Players", "1 Bots")
    cells("1111", "0000")
    game.drag((900, 200), (1100, 500))
    buttons("W Rotation")
    time.sleep(6)
    back("4D game with clicks, a drag and \"W Rotation\"")
    play("5 Dimensions", "0 Bots")
    cells("11111", "00000", "22222", "01210")
    back("5D game with clicks")
    buttons("Quit")
    print("# \"Quit\"; valgrind checks for leaks", flush=True)
    return game.wait_exit(EXIT_TIMEOUT)


def records(log):
    """The log's error and loss records, each a list of lines: a head line, then its stacks."""
    found, record = [], None
    for line in log.splitlines():
        prefixed = re.match(r"==\d+== ?(.*)", line)
        if not prefixed:
            continue  # suppression templates (--gen-suppressions) carry no prefix
        text = prefixed.group(1)
        if not text or re.match(r"(HEAP|LEAK|ERROR) SUMMARY", text):
            record = None
        elif record is None:
            record = [text]
            found.append(record)
        else:
            record.append(text)
    return found


def fails(record):
    """Invalid reads and writes; definite losses with the game on the stack; other errors
    raised in the game. Only the first stack tells where an error happened: a line such as
    "Block was allocated at" starts a stack of where the memory came from."""
    head, rest = record[0], record[1:]
    game_frames = [bool(GAME_FRAME.search(line)) and "(/usr/" not in line for line in rest]
    first_is_game = bool(rest) and FRAME.match(rest[0]) is not None and game_frames[0]
    return (re.match(r"Invalid (read|write) of size", head) is not None
            or ("are definitely lost in loss record" in head and any(game_frames))
            or ("lost in loss record" not in head and first_is_game))


with XServer(pause=STEP) as x, tempfile.TemporaryDirectory() as work:
    print(f"# valgrind runs the game at {GAME}; this takes several minutes", flush=True)
    logs = os.path.join(work, "valgrind.%p.log")  # one per process: a library may fork a helper
    with Game(x, GAME, env={"SDL_RENDER_DRIVER": "software", "SDL_FRAMEBUFFER_ACCELERATION": "0"},
              prefix=valgrind(logs)) as game:
        game.wait_window(START_TIMEOUT)
        status = session(game)
        game_log = logs.replace("%p", str(game.proc.pid))
    if not os.path.exists(game_log):
        sys.exit(f"valgrind wrote no log for the game (process {game.proc.pid})")
    shutil.copyfile(game_log, LOG)

log = open(LOG).read()
print(f"# valgrind's log: {LOG}")
for line in log.splitlines():
    if SUMMARY.search(line):
        print("  " + re.sub(r"^==\d+== *", "", line))
findings = [record for record in records(log) if fails(record)]
for record in findings:
    print("\n  ".join(record))
if findings:
    sys.exit(f"valgrind found memory errors or leaks in the game's own code (full log: {LOG})")
if status == ERROR_STATUS:
    print(f"memcheck: no errors in the game's own code; valgrind counted errors in libraries, see {LOG}")
elif status != 0:
    sys.exit(f"the game under valgrind ended with status {status}")
else:
    print("memcheck: no errors")
