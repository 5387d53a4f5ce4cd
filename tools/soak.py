#!/usr/bin/env python3
"""Plays the real game at random for a long while under a private X server: settings, hovers,
right and middle clicks and drags on the title screen; clicks on the cells of every board,
drags, "Reset", "W Rotation" and "Back" in games; every finished game is left with "Back" and
another started, about half of them left to bots alone so that games end often. It starts with
a tour of all four boards, and the first fifth of the run is a warm-up. The game must stay
alive; its resident memory (VmRSS), read on the title screen after malloc_trim(0) was called
in it through gdb, may grow by at most RSS_MARGIN_KIB from the first sample after the warm-up
to the last; SIGTERM must end it with status 0. Prints the seed (passing it back replays the
same choices, up to the game's own timing), the games, the actions and the memory figures.

Usage: python3 tools/soak.py [minutes] [path/to/zarnith] [seed]
  (default: 10 minutes; build/zarnith, built in release mode when missing; a random seed)
"""
import argparse
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time

from xgame import CORNER, ROOT, Facts, Game, XServer, ensure_game, positive, random_canvas_point

RSS_INTERVAL = 10  # seconds between two memory samples
WARM_UP_SHARE = 0.2  # the first part of the run, not held to the memory bound
# Trimmed title samples of a healthy game stay within a few hundred KiB of each other; a leak
# of one text texture a frame (about 30 KiB) adds 2 MiB a second, and over ten minutes 5 MiB
# is about 100 bytes a frame.
RSS_MARGIN_KIB = 5120
BOT_2D_LIMIT = 45  # seconds; a 2D game of bots alone needs about 8
BOT_GAME_LIMIT = 30  # seconds before a larger game of bots alone is abandoned
HUMAN_GAME_ACTIONS = 60  # driver actions before a game with humans is abandoned
KEEP_CLEAR = 10  # pixels around "Quit" and "Play" where no random release lands
SCREEN_TIMEOUT = 10  # seconds for "Play" or "Back" to show the other screen
INPUT_PAUSE = 0.1  # seconds after each pointer step: a frame may take 50 ms on a busy machine
TRIM_TRIES = 10  # attempts to find no thread inside the allocator, whose lock the call would wait on
ALLOCATOR = ".*(malloc|free|calloc|realloc|memalign|_int_|arena|tcache|systrim|consolidate)"
# Calls malloc_trim(0) unless a thread stands in the allocator; prints -1 when one does.
TRIM = ["-batch", "-nx", "-ex", "set $busy = 0",
        "-ex", f'thread apply all -q -s set $busy = $busy || $_any_caller_matches("{ALLOCATOR}", 30)',
        "-ex", "print $busy ? -1 : (int)malloc_trim(0)"]

parser = argparse.ArgumentParser(description="Random play of the real game.")
parser.add_argument("minutes", nargs="?", type=positive, default=10)
parser.add_argument("game", nargs="?", default=os.path.join(ROOT, "build", "zarnith"), help="path/to/zarnith")
parser.add_argument("seed", nargs="?", type=int, default=random.randrange(1_000_000))
ARGS = parser.parse_args()
MINUTES, GAME, SEED = ARGS.minutes, ARGS.game, ARGS.seed
ensure_game(GAME)
FACTS = Facts(GAME)
SETTINGS = [*FACTS.labels(" Dimensions"), *FACTS.labels(" Players"), *FACTS.labels(" Bots"),
            "Easy", "Meh", "Hard", "Assist Mode"]


def near(label, point, margin):
    x, y, w, h = FACTS.buttons[label]
    return x - margin <= point[0] <= x + w + margin and y - margin <= point[1] <= y + h + margin


class Soak:
    def __init__(self, server, game, duration):
        self.x, self.game, self.rng, self.duration = server, game, random.Random(SEED), duration
        self.start = time.monotonic()
        self.count = dict.fromkeys(("actions", "cell clicks", "drags", "started", "finished", "abandoned"), 0)
        self.samples = []  # (seconds, VmRSS as found, VmRSS after trimming), KiB
        self.warm = None  # index of the first sample after the warm-up
        self.next_sample, self.toured, self.title_actions = 0, False, None
        self.in_game, self.settings, self.game_start, self.game_actions = False, (0, 0, 0), 0, 0

    def fail(self, why):
        picture = os.path.join(tempfile.gettempdir(), f"zarnith-soak-{SEED}.png")
        self.x.save_png(picture)
        sys.exit(f"FAIL after {self.elapsed()} s: {why} (seed {SEED}; the screen: {picture})\n{self.game.output()}")

    def elapsed(self):
        return int(time.monotonic() - self.start)

    def chance(self, percent):
        return self.rng.randrange(100) < percent

    def act(self, table):
        """Runs one action of `table`, (weight in percent, action) pairs, chosen at random."""
        roll = self.rng.randrange(100)
        for weight, action in table:
            roll -= weight
            if roll < 0:
                return action()

    # ---- Places and input ----------------------------------------------------------------

    def allowed_point(self):
        """A random point where a left release may land: never near "Quit" (it would end the
        run) nor "Play" (the driver starts each game itself, knowing its settings)."""
        while True:
            point = random_canvas_point(self.rng)
            if not near("Quit", point, KEEP_CLEAR) and not near("Play", point, KEEP_CLEAR):
                return point

    def cell_point(self):
        """A random point of a random cell of the board in play: mostly inside, sometimes on
        the square's left or top edge, which belongs to no cell."""
        dimensions = self.settings[0]
        left, top, side = FACTS.cells[(dimensions, self.rng.randrange(3 ** dimensions))]
        x, y = left + 1 + self.rng.randrange(side - 1), top + 1 + self.rng.randrange(side - 1)
        if self.chance(10):
            return (left, y) if self.chance(50) else (x, top)
        return x, y

    def click(self, point):
        self.game.click(point)
        return point

    def click_button(self, label):
        return self.click(FACTS.random_point(label, self.rng))

    def click_cell(self):
        self.count["cell clicks"] += 1
        self.click(self.cell_point())

    def other_click(self):
        self.game.click(self.allowed_point(), self.rng.choice((2, 3)))

    def drag(self):
        end = self.allowed_point()
        self.game.drag(random_canvas_point(self.rng), end, self.rng.randint(3, 14))
        self.count["drags"] += 1
        return end

    def sweep(self):
        for _ in range(self.rng.randint(5, 24)):
            self.game.move(random_canvas_point(self.rng))

    # ---- Memory --------------------------------------------------------------------------

    def vm_rss(self):
        with open(f"/proc/{self.game.proc.pid}/status") as status:
            return int(re.search(r"^VmRSS:\s+(\d+)", status.read(), re.M).group(1))

    def trim_heap(self):
        """Calls malloc_trim(0) in the game through gdb; False when the allocator stayed busy."""
        for _ in range(TRIM_TRIES):
            gdb = subprocess.run(["gdb", "-p", str(self.game.proc.pid), *TRIM], capture_output=True,
                                 text=True, timeout=60)
            result = re.search(r"^\$1 = (-?\d+)$", gdb.stdout, re.M)
            if not result:
                self.fail(f"gdb could not trim the heap: {gdb.stderr.strip()[-500:]}")
            if result.group(1) != "-1":
                return True
            time.sleep(0.2)
        return False

    def sample(self, now=False):
        """On the title screen: a memory sample when one is due, or at once with `now`."""
        t = self.elapsed()
        if t < self.next_sample and not now:
            return
        raw = self.vm_rss()
        if not self.trim_heap():
            return
        self.samples.append((t, raw, self.vm_rss()))
        self.next_sample = t + RSS_INTERVAL
        if self.warm is None and self.toured and t >= self.duration * WARM_UP_SHARE:
            self.warm = len(self.samples) - 1

    # ---- Title screen --------------------------------------------------------------------

    def read_settings(self):
        """The dimensions, players and bots the title screen shows as selected: the one Button
        of each setting that the selection shade darkens to well below the background."""
        shot = self.x.screenshot()
        brightness = lambda point: sum(shot.pixel(*self.game.at(point)))
        dark = brightness(CORNER) / 2
        def selected(suffix):
            chosen = [label for label in FACTS.labels(suffix) if brightness(FACTS.inside(label)) < dark]
            if len(chosen) != 1:
                self.fail(f"not one{suffix} Button shown as selected: {chosen}")
            return int(chosen[0].split()[0])
        return selected(" Dimensions"), selected(" Players"), selected(" Bots")

    def start_game(self):
        """"Play" with the settings on the screen; half the time bots take every seat first,
        mostly on the 2D board (bots can only take all seats with 2 to 4 players)."""
        bots_only = self.chance(50)
        if bots_only:
            if self.chance(60):
                self.click_button("2 Dimensions")
            if self.read_settings()[1] == 5:
                self.click_button(self.rng.choice(("2 Players", "3 Players", "4 Players")))
            self.click_button(f"{self.read_settings()[1]} Bots")
        self.settings = self.read_settings()
        if bots_only and self.settings[1] != self.settings[2]:
            self.fail(f"with {self.settings[1]} players, \"{self.settings[2]} Bots\" is shown selected "
                      f"after a click on \"{self.settings[1]} Bots\"")
        self.play()

    def play(self):
        self.click_button("Play")
        self.game.await_screen(FACTS, ("game", "over"), SCREEN_TIMEOUT, "the game screen after \"Play\"")
        self.in_game, self.game_start, self.game_actions = True, time.monotonic(), 0
        self.count["started"] += 1
        print("# t={} s: game {}, {}D, {} players, {} bots".format(self.elapsed(), self.count["started"],
                                                                 *self.settings), flush=True)

    def title_step(self):
        if self.in_game:
            self.fail("the title screen is back although the driver clicked no \"Back\"")
        self.sample()
        if self.title_actions is None:
            self.title_actions = self.rng.randint(1, 5)
        if self.title_actions == 0:
            self.start_game()
            self.title_actions = None
            return
        self.title_actions -= 1
        self.act([(55, lambda: self.click_button(self.rng.choice(SETTINGS))),
                  (20, lambda: self.game.move(FACTS.random_point(self.rng.choice([*SETTINGS, "Play"]), self.rng))),
                  (7, self.other_click), (7, lambda: self.click(self.allowed_point())),
                  (5, self.drag), (6, self.sweep)])

    # ---- Game screen ---------------------------------------------------------------------

    def after_release(self, point, finished=False):
        """A left release on "Back" (edges included) leaves the game: the driver waits for the
        title screen, so that no click meant for the board lands on a title Button."""
        if point and near("Back", point, 0):
            self.game.await_screen(FACTS, ("title",), SCREEN_TIMEOUT, "the title screen after \"Back\"")
            self.in_game = False
            self.count["finished" if finished else "abandoned"] += 1

    def leave(self, finished=False):
        self.after_release(self.click_button("Back"), finished)

    def game_step(self):
        if not self.in_game:
            self.fail("a game screen appeared although the driver clicked no \"Play\"")
        dimensions, players, bots = self.settings
        age = time.monotonic() - self.game_start
        self.game_actions += 1
        if bots == players and dimensions == 2 and age > BOT_2D_LIMIT:
            self.fail(f"a 2D game of {players} bots alone has not ended after {age:.0f} s")
        if (bots == players and dimensions > 2 and age > BOT_GAME_LIMIT) or (bots < players and self.game_actions > HUMAN_GAME_ACTIONS):
            return self.leave()
        view = [(10, lambda: self.after_release(self.drag())), (5, lambda: self.click_button("Reset")),
                (5, lambda: self.click_button("W Rotation")), (5, self.other_click)]
        if bots == players:  # mostly waiting, so that the driver takes little of the processor
            self.act([(60, lambda: time.sleep(0.5)), (15, lambda: self.game.move(self.cell_point())), *view])
        else:
            self.act([(55, self.click_cell), (8, lambda: self.after_release(self.click(self.allowed_point()))),
                      (8, lambda: self.game.move(self.cell_point())), (2, self.leave), (2, self.sweep), *view])

    def over_step(self):
        """A finished game: perhaps a click that must change nothing, a look around, then "Back"."""
        print(f"# t={self.elapsed()} s: game {self.count['started']} has ended", flush=True)
        if self.chance(50):
            self.click(self.cell_point())
        if self.chance(30):
            self.sweep()
        self.leave(finished=True)

    # ---- The run -------------------------------------------------------------------------

    def warm_up_tour(self):
        """Every board once with "Assist Mode" on: clicks, a hover, a drag and both view
        Buttons, then "Back": every drawing path reaches its high-water mark of memory."""
        self.click_button("Assist Mode")
        for dimensions in range(2, 6):
            self.click_button(f"{dimensions} Dimensions")
            self.settings = self.read_settings()
            self.play()
            for _ in range(4):
                self.click_cell()
            self.game.move(self.cell_point())
            self.game.drag(random_canvas_point(self.rng), random_canvas_point(self.rng), 10)
            self.click_button("W Rotation")
            self.click_button("Reset")
            self.leave()
        self.toured = True

    def run(self):
        self.game.await_screen(FACTS, ("title",), SCREEN_TIMEOUT, "the title screen")
        self.sample(now=True)
        self.warm_up_tour()
        steps = {"title": self.title_step, "game": self.game_step, "over": self.over_step}
        while time.monotonic() < self.start + self.duration:
            kind, _ = self.game.await_screen(FACTS, steps, SCREEN_TIMEOUT, "the title or a game screen")
            steps[kind]()
            self.count["actions"] += 1
        if self.in_game:
            self.leave()
        self.sample(now=True)
        print("# {actions} actions, {cell clicks} cell clicks, {drags} drags; games: {started} started, "
              "{finished} played to their end, {abandoned} abandoned".format(**self.count))
        if self.count["started"] == 0:
            self.fail("no game was started")

    def check_memory(self):
        for t, raw, trimmed in self.samples:
            print(f"#   t={t} s  VmRSS {raw} KiB, after trimming {trimmed} KiB")
        if self.warm is None or self.warm == len(self.samples) - 1:
            self.fail("the run was too short for a sample after the warm-up")
        for name, column in (("after trimming", 2), ("as found", 1)):
            first, warm, last = self.samples[0], self.samples[self.warm], self.samples[-1]
            print(f"# VmRSS {name}: start {first[column]} KiB, warm {warm[column]} KiB (t={warm[0]} s), "
                  f"end {last[column]} KiB (t={last[0]} s), highest after the warm-up "
                  f"{max(s[column] for s in self.samples[self.warm:])} KiB; {len(self.samples)} samples")
        growth = self.samples[-1][2] - self.samples[self.warm][2]
        print(f"# growth after the warm-up {growth} KiB, allowed {RSS_MARGIN_KIB} KiB")
        if growth > RSS_MARGIN_KIB:
            self.fail(f"VmRSS grew by {growth} KiB after the warm-up")


print(f"# seed {SEED}, {MINUTES} min; replay: python3 {sys.argv[0]} {MINUTES} {GAME} {SEED}", flush=True)
with XServer(pause=INPUT_PAUSE) as server, Game(server, GAME) as game:
    game.wait_window()
    soak = Soak(server, game, MINUTES * 60)
    try:
        soak.run()
    except (RuntimeError, TimeoutError) as error:  # the game ended, or a screen did not come
        soak.fail(str(error))
    soak.check_memory()
    game.proc.send_signal(signal.SIGTERM)
    status = game.wait_exit()
    if status != 0:
        soak.fail(f"SIGTERM ended the game with status {status}")
    print(f"ok - {MINUTES} min of random play (seed {SEED}): alive, VmRSS flat, SIGTERM ends it with status 0")
