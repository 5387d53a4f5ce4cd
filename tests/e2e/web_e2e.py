#!/usr/bin/python3
# The browser build as a player gets it: tools/web.sh makes the folder, a local server serves it
# under a sub-path, and Debian's headless Chromium plays it with real pointer, touch and key input.
# The first frame is the desktop's golden title to the byte; "Play" starts a game in player 1's
# tint, a click places player 1's mark, "Back" returns to the title, a bot replies after 100 steps
# of 8 ms as on the desktop, a click still lands on "Play" in a letterboxed window of another size,
# a tap does what a click does, a one-finger drag turns the lattice, and after "Quit" or Escape the
# page says that the game has ended and no frame follows. Nothing is written to the console as an
# error.
# Usage: PYTHONPATH=tools web_e2e.py path/to/zarnith (whose zarnith_facts gives Buttons, cells, colours)
import sys
import tempfile

from browser import Page, chromium, differing_pixels, golden, resize_inside, serve, web_folder
from xgame import CORNER, Facts

FACTS = Facts(sys.argv[1])
LATTICE = (1200, 400)  # a canvas point on the 3D lattice, right of the flat grids
BOT_DELAY_S = 100 * 0.008  # kBotDelayFrames steps of kFrameFloorMs
# A bot's reply is seen at the first display frame (1/60 s apart here) after its step; a machine
# busy with the other tests may hold display frames back. Paced by 60 Hz display frames instead of
# game time, the reply came after 1.7 s.
BOT_DELAY_BOUNDS_S = (BOT_DELAY_S - 0.02, BOT_DELAY_S + 0.2)


with tempfile.TemporaryDirectory() as work, serve(web_folder(work)) as address, chromium() as driver:
    page = Page(driver, address, FACTS)
    page.wait_first_frame()
    differ = differing_pixels(page.first_frame(), golden("title-start"))
    assert not differ, f"the first frame differs from title-start.png in {len(differ)} pixels: {differ[:5]}"

    page.await_title("the title screen")
    page.click_labels("2 Dimensions", "2 Players", "0 Bots", "Play")
    page.await_turn(1, "a 2D game with player 1 to move after \"Play\"")
    page.click(FACTS.cell_centre(2, 0))
    page.await_mark(2, 0, 1, "player 1's mark on cell 0")
    page.await_turn(2, "player 2 to move after player 1's mark")
    page.click_labels("Back")
    page.await_title("the title screen after \"Back\"")

    # Player 1 moves; the bot's turn shows from its first frame to the first of its reply.
    page.click_labels("1 Bots", "Play")
    page.await_turn(1, "a game against a bot with player 1 to move")
    seconds = page.time_shown(CORNER, FACTS.colours["turn2"], lambda: page.click(FACTS.cell_centre(2, 4)))
    print(f"the bot replied after {seconds:.3f} s")
    assert BOT_DELAY_BOUNDS_S[0] <= seconds <= BOT_DELAY_BOUNDS_S[1], f"the bot replied after {seconds:.3f} s"
    page.click_labels("Back")

    # Bars left and right at an odd size: the canvas is scaled by CSS, SDL maps the pointer back.
    resize_inside(driver, 1111, 777)
    page.click_labels("0 Bots", "Play")
    page.await_turn(1, "a game after \"Play\" clicked in a 1111x777 window")
    page.tap(FACTS.cell_centre(2, 8))
    page.await_mark(2, 8, 1, "player 1's mark tapped on cell 8")
    page.click_labels("Back", tap=True)
    page.await_title("the title screen after \"Back\" tapped")
    # A one-finger drag across the lattice of a 3D game turns it.
    page.click_labels("3 Dimensions", "Play", tap=True)
    page.await_turn(1, "a 3D game after \"Play\" tapped")
    page.move(CORNER)
    before = page.frame()
    page.touch_drag(LATTICE, (LATTICE[0] + 100, LATTICE[1] + 50))
    page.await_turn(1, "the end of the drag")
    assert differing_pixels(before, page.frame()), "the lattice did not turn under a one-finger drag"
    page.click_labels("Back", "Quit")
    assert page.ended("\"Quit\""), "the canvas still shows, or frames go on, after \"Quit\""

    # "Play again" starts the game afresh; Escape ends it as "Quit" does.
    page.click_element("again")
    page.await_title("the title screen after \"Play again\"")
    page.key("ESCAPE")
    assert page.ended("Escape"), "the canvas still shows, or frames go on, after Escape"
    errors = page.console_errors()
    assert not errors, f"console errors: {errors}"
