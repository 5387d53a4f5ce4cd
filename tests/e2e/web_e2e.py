#!/usr/bin/python3
# The browser build as a player gets it: tools/web.sh makes the folder, a local server serves it
# under a sub-path, and Debian's headless Chromium plays it with real pointer, touch and key input.
# The first frame is the desktop's golden title to the byte; "Play" starts a game in player 1's
# tint, a click places player 1's mark, "Back" returns to the title, a bot replies after 100 steps
# of 8 ms as on the desktop, a click still lands on "Play" in a letterboxed window of another size,
# a tap does what a click does, and after "Quit" or Escape the page says that the game has ended
# and no frame follows. Nothing is written to the console as an error.
# Usage: PYTHONPATH=tools web_e2e.py path/to/zarnith (whose zarnith_facts gives Buttons, cells, colours)
import os
import sys
import tempfile
import time

from browser import Page, chromium, differing_pixels, png_file_to_rgb, resize_inside, serve, web_folder
from xgame import CORNER, ROOT, Facts, wait_until

FACTS = Facts(sys.argv[1])
PLAY_OUTLINE = FACTS.play_outline()
COLOURS = FACTS.colours
BOT_DELAY_S = 100 * 0.008  # kBotDelayFrames steps of kFrameFloorMs
# A bot's reply is seen at the first display frame (1/60 s apart here) after its step; a busy
# machine may hold one display frame back by a few more.
BOT_DELAY_BOUNDS_S = (BOT_DELAY_S - 0.02, BOT_DELAY_S + 0.15)

# In the page: the times of the display frames at which the canvas corner turns to the bot's tint,
# then away from it, as the game's own frames show them.
WATCH_BOT = """
const [x, y, botTint] = arguments;
const context = document.getElementById("canvas").getContext("2d");
window.botTurn = {};
function look(now) {
  const tint = Array.from(context.getImageData(x, y, 1, 1).data.slice(0, 3)).join();
  if (!botTurn.start && tint === botTint) botTurn.start = now;
  if (botTurn.start && tint !== botTint) botTurn.end = now;
  if (!botTurn.end) requestAnimationFrame(look);
}
requestAnimationFrame(look);
"""


def click(page, *labels):
    for label in labels:
        page.click(FACTS.button_centre(label))


def await_title(page, what):
    page.await_pixel(PLAY_OUTLINE, COLOURS["white"], what)


def await_game(page, player, what):
    page.await_pixel(CORNER, COLOURS[f"turn{player}"], what)


def first_frame_is_the_golden_title(page):
    drawn = page.first_frame()
    golden = png_file_to_rgb(os.path.join(ROOT, "tests", "golden", "title-start.png"))
    differ = differing_pixels(drawn, golden)
    assert not differ, f"the first frame differs from title-start.png in {len(differ)} pixels, first at {differ[:5]}"


def play_a_mark_and_back(page):
    await_title(page, "the title screen")
    click(page, "2 Dimensions", "2 Players", "0 Bots", "Play")
    await_game(page, 1, "a 2D game with player 1 to move after \"Play\"")
    page.click(FACTS.cell_centre(2, 0))
    page.await_pixel(FACTS.cell_centre(2, 0), COLOURS["mark1"], "player 1's mark on cell 0")
    await_game(page, 2, "player 2 to move after player 1's mark")
    click(page, "Back")
    await_title(page, "the title screen after \"Back\"")


def bot_reply_seconds(page):
    """Player 1 moves; the time from the first frame of the bot's turn to the first of its reply."""
    click(page, "1 Bots", "Play")
    await_game(page, 1, "a game against a bot with player 1 to move")
    page.script(WATCH_BOT, *CORNER, ",".join(map(str, COLOURS["turn2"])))
    page.click(FACTS.cell_centre(2, 4))
    wait_until(lambda: page.script("return botTurn.end"), 10, "the bot's reply")
    turn = page.script("return botTurn")
    click(page, "Back")
    await_title(page, "the title screen after the bot's game")
    return (turn["end"] - turn["start"]) / 1000


def letterboxed_click_and_taps(page, driver):
    # Bars left and right at an odd size: the canvas is scaled by CSS, SDL maps the pointer back.
    resize_inside(driver, 1111, 777)
    click(page, "0 Bots", "Play")
    await_game(page, 1, "a game after \"Play\" clicked in a 1111x777 window")
    page.tap(FACTS.cell_centre(2, 8))
    page.await_pixel(FACTS.cell_centre(2, 8), COLOURS["mark1"], "player 1's mark tapped on cell 8")
    page.tap(FACTS.button_centre("Back"))
    await_title(page, "the title screen after \"Back\" tapped")


def ended(page, how):
    wait_until(lambda: page.visible("again"), 10, f"the ended page after {how}")
    assert not page.visible("canvas"), f"the canvas still shows after {how}"
    frames = page.game_frames()
    time.sleep(0.5)
    assert page.game_frames() == frames, f"frames go on after {how}"


with tempfile.TemporaryDirectory() as work, serve(web_folder(work)) as address, chromium() as driver:
    page = Page(driver, address)
    print(f"first frame after {page.wait_first_frame():.2f} s")
    first_frame_is_the_golden_title(page)
    play_a_mark_and_back(page)
    seconds = bot_reply_seconds(page)
    print(f"the bot replied after {seconds:.3f} s")
    assert BOT_DELAY_BOUNDS_S[0] <= seconds <= BOT_DELAY_BOUNDS_S[1], f"the bot replied after {seconds:.3f} s"
    letterboxed_click_and_taps(page, driver)
    click(page, "Quit")
    ended(page, "\"Quit\"")
    # "Play again" starts the game afresh; Escape ends it as "Quit" does.
    page.click_element("again")
    await_title(page, "the title screen after \"Play again\"")
    page.key("ESCAPE")
    ended(page, "Escape")
    errors = page.console_errors()
    assert not errors, f"console errors: {errors}"
