#!/usr/bin/env bash
# Random play of the real game: random settings and hovers on the title screen,
# random clicks on the cells of every board, drags over the views, "Reset", "W
# Rotation" and "Back" at random, games of bots played to their end. The game
# must stay alive all along, its resident memory must stay flat once warmed up,
# and SIGTERM must end it with status 0.
#
# Usage: bash tests/e2e/soak_e2e.sh path/to/zarnith [seconds [seed]]
#   seconds  how long to play (default 60)
#   seed     seeds the driver's choices; a failure prints the seed that replays them
#
# Every choice comes from bash's RANDOM, seeded once, and is never drawn inside a
# $(...) subshell, so the same seed gives the same sequence of choices. The game's
# own timing (bot pacing) can still make a replay drift after a while.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly DURATION=${2:-60}                     # seconds of random play
readonly SEED=${3:-$(($(date +%s%N) % 1000000))}
[[ $DURATION =~ ^[0-9]+$ && $SEED =~ ^[0-9]+$ ]] || {
  echo "usage: $0 path/to/zarnith [seconds [seed]]" >&2
  exit 2
}
RANDOM=$SEED

readonly RSS_INTERVAL=10          # seconds between two samples of the resident set size
readonly WARM_UP_PERCENT=20       # first part of the run, not held to the memory bound
# Allowed growth of VmRSS from the warm sample to the last, in KiB, both taken
# on the title screen after the heap was trimmed (see "Memory" below). Trimmed
# title samples of a healthy game stay within a few hundred KiB of each other;
# 5 MiB is well above that and far below what a leak adds: one text texture a
# frame (about 30 KiB) is 2 MiB a second, and over a 60 s run the bound catches
# a leak of about 1 KiB a frame, over ten minutes about 100 bytes a frame.
readonly RSS_MARGIN_KIB=5120
# The same bound when the heap cannot be trimmed (gdb may not attach): the
# allocator then keeps up to about 20 MiB of freed driver buffers, more or less
# at each sample, so only a gross leak can be told apart.
readonly UNTRIMMED_MARGIN_KIB=32768
readonly BOT_2D_GAME_LIMIT=45     # seconds; a 2D game of bots alone needs about 8
readonly BOT_GAME_LIMIT=30        # seconds before a larger game of bots alone is abandoned
readonly HUMAN_GAME_ACTIONS=60    # driver actions before a game with humans is abandoned
readonly SCREEN_TIMEOUT=10        # seconds for "Play" or "Back" to show the other screen
readonly VIEW_AREA=(700 0 900 745) # the projected views, for drags "over the view"

# The title screen's settings Buttons, and what may be hovered there.
readonly SETTING_BUTTONS=("2 Dimensions" "3 Dimensions" "4 Dimensions" "5 Dimensions"
  "2 Players" "3 Players" "4 Players" "5 Players"
  "0 Bots" "1 Bots" "2 Bots" "3 Bots" "4 Bots" "Easy" "Meh" "Hard" "Assist Mode")
readonly HOVER_BUTTONS=("${SETTING_BUTTONS[@]}" "Play")

# ---- Bookkeeping ------------------------------------------------------------------

START_TIME=$SECONDS
ACTIONS=0           # driver actions taken
CELL_CLICKS=0       # left clicks aimed at cells
DRAGS=0
GAMES_STARTED=0
GAMES_FINISHED=0    # games seen reaching their end (black background)
GAMES_ABANDONED=0   # games left with "Back" before their end
RSS_TIMES=()        # seconds since the start of each memory sample
RSS_RAW_KIB=()      # VmRSS of each sample as found, KiB
RSS_KIB=()          # VmRSS of each sample after trimming the heap (as found if it cannot be), KiB
TRIMMING=1          # 0 once gdb failed to trim the heap, or when there is no point
SANITIZED=0         # 1 when the game runs with AddressSanitizer
NEXT_SAMPLE=0
WARM=-1             # index of the warm sample, the first after the warm-up
TOURED=0            # 1 once the warm-up tour has visited every board

# State of the game under way, as the driver set it up.
IN_GAME=0
GAME_DIMS=0 GAME_PLAYERS=0 GAME_BOTS=0
GAME_START=0        # SECONDS when it began
GAME_ACTIONS=0
TITLE_ACTIONS_LEFT=-1  # random actions still to take on this visit of the title screen

elapsed() { echo $((SECONDS - START_TIME)); }

# Sets ROLL to a random number below $1.
roll() { ROLL=$((RANDOM % $1)); }

# Succeeds with a probability of $1 percent.
chance() { ((RANDOM % 100 < $1)); }

# Sets PICK to one of the arguments, chosen at random.
pick() {
  local args=("$@")
  PICK=${args[RANDOM % ${#args[@]}]}
}

# ---- Memory -----------------------------------------------------------------------
# Samples are taken on the title screen only, and VmRSS is read twice: as found,
# and after the allocator has handed its free pages back to the system. A game
# frame makes the GL driver allocate a working set that depends on the board and
# the view (a turned 4D view, about 20 MiB); freed, most of it stays in the heap
# between live blocks, more or less of it from one sample to the next. Trimming
# leaves only what the process really holds, so a small bound is meaningful.

TRIM_SCRIPT=$WORK/trim_heap.py
cat >"$TRIM_SCRIPT" <<'PY'
# Run by gdb attached to the game: calls malloc_trim(0) unless a thread stands
# in the allocator, whose lock the call would then wait for for ever.
import gdb

ALLOCATOR_WORDS = ("malloc", "free", "calloc", "realloc", "memalign", "_int_", "arena",
                   "tcache", "systrim", "consolidate")


def in_allocator():
    for thread in gdb.selected_inferior().threads():
        thread.switch()
        frame = gdb.newest_frame()
        for _ in range(16):
            name = frame.name() or ""
            if any(word in name for word in ALLOCATOR_WORDS):
                return True
            try:
                frame = frame.older()
            except gdb.error:
                break
            if frame is None:
                break
    return False


if in_allocator():
    print("allocator busy")
else:
    gdb.execute("call (int) malloc_trim(0)", to_string=True)
    print("heap trimmed")
PY

# Trims the game's heap through gdb; fails when gdb cannot do it.
trim_heap() {
  local out
  for _ in {1..10}; do
    out=$(timeout 60 gdb -p "$GAME_PID" -batch -nx -iex 'set auto-solib-add off' \
      -ex 'sharedlibrary libc\.so' -x "$TRIM_SCRIPT" 2>&1) || break
    [[ $out == *"heap trimmed"* ]] && return 0
    [[ $out == *"allocator busy"* ]] || break
    sleep 0.2
  done
  echo "# the heap cannot be trimmed, so the untrimmed bound applies; gdb said:"
  sed 's/^/#   /' <<<"$out" | tail -n 5
  return 1
}

vm_rss() {
  awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null ||
    fail "the game is gone; /proc/$GAME_PID/status is unreadable"
}

# On the title screen: takes a sample when one is due, or at once with "now".
# The first sample after the warm-up becomes the warm sample.
sample_rss() {
  local t raw kept
  t=$(elapsed)
  [[ ${1:-} == now ]] || ((t >= NEXT_SAMPLE)) || return 0
  raw=$(vm_rss)
  kept=$raw
  if ((TRIMMING)); then
    if trim_heap; then kept=$(vm_rss); else TRIMMING=0; fi
  fi
  RSS_TIMES+=("$t") RSS_RAW_KIB+=("$raw") RSS_KIB+=("$kept")
  NEXT_SAMPLE=$((t + RSS_INTERVAL))
  if ((WARM < 0 && TOURED && t >= DURATION * WARM_UP_PERCENT / 100)); then
    WARM=$((${#RSS_KIB[@]} - 1))
  fi
}

# ---- Liveness ---------------------------------------------------------------------

expect_alive() {
  if ! process_running "$GAME_PID"; then
    wait_for_exit 1
    fail "the game ended with status $GAME_STATUS after $(elapsed) s of random play"
  fi
}

# ---- Places -----------------------------------------------------------------------

# True when window point ($1, $2) lies in Button $3 grown by $4 pixels on every side.
near_button() {
  button_rect "$3"
  (($1 >= BX - $4 && $1 <= BX + BW + $4 && $2 >= BY - $4 && $2 <= BY + BH + $4))
}

# Sets PX and PY to a random window point where a left release is allowed: never
# on "Quit" (it would end the run) nor on "Play" (the driver starts each game
# itself, knowing its settings), with a margin around both.
random_point() {
  while :; do
    PX=$((RANDOM % SCREEN_W)) PY=$((RANDOM % SCREEN_H))
    near_button "$PX" "$PY" "Quit" 10 || near_button "$PX" "$PY" "Play" 10 || return 0
  done
}

# Sets PX and PY to a random point of the projected views' area.
random_view_point() {
  PX=$((VIEW_AREA[0] + RANDOM % VIEW_AREA[2])) PY=$((VIEW_AREA[1] + RANDOM % VIEW_AREA[3]))
}

# Sets PX and PY to a random point of Button $1, edges included.
random_point_in_button() {
  button_rect "$1"
  PX=$((BX + RANDOM % (BW + 1))) PY=$((BY + RANDOM % (BH + 1)))
}

# Sets PX and PY to a random point of a random cell square of the board in play:
# mostly strictly inside, sometimes on its left or top edge, which belongs to no cell.
random_cell_point() {
  local indices=() k
  for ((k = 0; k < GAME_DIMS; k++)); do indices+=($((RANDOM % 3))); done
  cell_square "${indices[@]}"
  PX=$((CL + 1 + RANDOM % (CS - 1))) PY=$((CT + 1 + RANDOM % (CS - 1)))
  if chance 10; then
    if chance 50; then PX=$CL; else PY=$CT; fi
  fi
}

# ---- Input ------------------------------------------------------------------------

# A press and release of mouse button $1 (2 middle, 3 right) at ($2, $3).
other_click() {
  move_to "$2" "$3"
  xdotool mousedown "$1"
  pause_for_frames
  xdotool mouseup "$1"
  pause_for_frames
}

# Moves the pointer through $1 random points, a moment at each.
sweep() {
  local i
  for ((i = 0; i < $1; i++)); do
    PX=$((RANDOM % SCREEN_W)) PY=$((RANDOM % SCREEN_H))
    xdotool mousemove $((WIN_X + PX)) $((WIN_Y + PY))
    sleep 0.03
  done
  pause_for_frames
}

# Drags from ($1, $2) to a random allowed point in 3 to 14 steps; sets PX and PY
# to where the button was released.
random_drag() {
  local x1=$1 y1=$2
  random_point
  drag "$x1" "$y1" "$PX" "$PY" $((3 + RANDOM % 12))
  DRAGS=$((DRAGS + 1))
}

# Right or middle click at a random point.
random_other_click() {
  pick 2 3
  random_point
  other_click "$PICK" "$PX" "$PY"
}

# ---- Title screen -----------------------------------------------------------------

# Sets SELECTED to the label among "$@" whose Button is drawn as selected (darker)
# on the latest screenshot, or to "" when none is.
selected_of() {
  local label
  SELECTED=""
  for label in "$@"; do
    button_inside "$label"
    if title_background_darkened "$PX" "$PY"; then
      SELECTED=$label
      return
    fi
  done
}

# Reads the dimensions, players and bots that the title screen shows as selected
# into GAME_DIMS, GAME_PLAYERS and GAME_BOTS; the pointer is moved off the Buttons
# first so that no hover overlay lightens them.
read_settings() {
  move_to $FREE_X $FREE_Y
  snap
  selected_of "${SETTING_BUTTONS[@]:0:4}"
  [[ -n $SELECTED ]] || fail "no dimensions Button is shown as selected"
  GAME_DIMS=${SELECTED%% *}
  selected_of "${SETTING_BUTTONS[@]:4:4}"
  [[ -n $SELECTED ]] || fail "no players Button is shown as selected"
  GAME_PLAYERS=${SELECTED%% *}
  selected_of "${SETTING_BUTTONS[@]:8:5}"
  [[ -n $SELECTED ]] || fail "no bots Button is shown as selected"
  GAME_BOTS=${SELECTED%% *}
}

# One random action on the title screen.
title_action() {
  roll 100
  if ((ROLL < 55)); then
    pick "${SETTING_BUTTONS[@]}"
    random_point_in_button "$PICK"
    click "$PX" "$PY"
  elif ((ROLL < 75)); then
    pick "${HOVER_BUTTONS[@]}"
    random_point_in_button "$PICK"
    move_to "$PX" "$PY"
    sleep 0.2
  elif ((ROLL < 82)); then
    random_other_click
  elif ((ROLL < 89)); then
    random_point
    click "$PX" "$PY"
  elif ((ROLL < 94)); then
    random_point
    random_drag "$PX" "$PY"
  else
    sweep $((5 + RANDOM % 20))
  fi
}

# Half of the games are left to bots alone, mostly on the 2D board, so that games
# reach their end often; bots can only take all seats with 2 to 4 players.
prefer_bots() {
  chance 60 && click_button "2 Dimensions"
  read_settings
  if ((GAME_PLAYERS == 5)); then
    pick "2 Players" "3 Players" "4 Players"
    click_button "$PICK"
    GAME_PLAYERS=${PICK%% *}
  fi
  click_button "$GAME_PLAYERS Bots"
}

# Starts a game with the settings on the screen and waits for its first turn.
start_random_game() {
  local bots_only=0
  if chance 50; then
    prefer_bots
    bots_only=1
  fi
  read_settings
  if ((bots_only && GAME_BOTS != GAME_PLAYERS)); then
    fail "after a click on \"$GAME_PLAYERS Bots\" with $GAME_PLAYERS players, \"$GAME_BOTS Bots\" is shown selected"
  fi
  start_game_now
}

# Clicks "Play" and waits for the first turn of the game that read_settings read.
start_game_now() {
  random_point_in_button "Play"
  click "$PX" "$PY"
  await "player 1's turn after \"Play\"" "$SCREEN_TIMEOUT" turn_of 1
  IN_GAME=1 GAME_START=$SECONDS GAME_ACTIONS=0
  GAMES_STARTED=$((GAMES_STARTED + 1))
  echo "# t=$(elapsed) s: game $GAMES_STARTED, ${GAME_DIMS}D, $GAME_PLAYERS players, $GAME_BOTS bots"
}

title_step() {
  if ((IN_GAME)); then
    fail "the title screen is back although the driver clicked no \"Back\""
  fi
  sample_rss
  ((TITLE_ACTIONS_LEFT >= 0)) || TITLE_ACTIONS_LEFT=$((1 + RANDOM % 5))
  if ((TITLE_ACTIONS_LEFT > 0)); then
    title_action
    TITLE_ACTIONS_LEFT=$((TITLE_ACTIONS_LEFT - 1))
  else
    start_random_game
    TITLE_ACTIONS_LEFT=-1
  fi
}

# ---- Game screen ------------------------------------------------------------------

# After a left release at ($1, $2) on the game screen: a release on "Back" (edges
# included) leaves the game, and the driver waits for the title screen before it
# acts again, so that no click meant for the board lands on a title Button.
after_release() {
  near_button "$1" "$2" "Back" 0 || return 0
  await "the title screen after a release on \"Back\"" "$SCREEN_TIMEOUT" title_background $FREE_X $FREE_Y
  IN_GAME=0
}

leave_game() {
  random_point_in_button "Back"
  click "$PX" "$PY"
  after_release "$PX" "$PY"
}

# One random action while a human may be to move.
human_game_action() {
  roll 100
  if ((ROLL < 55)); then
    random_cell_point
    click "$PX" "$PY"
    CELL_CLICKS=$((CELL_CLICKS + 1))
  elif ((ROLL < 63)); then
    random_point
    click "$PX" "$PY"
    after_release "$PX" "$PY"
  elif ((ROLL < 73)); then
    random_view_point
    random_drag "$PX" "$PY"
    after_release "$PX" "$PY"
  elif ((ROLL < 77)); then
    click_button "Reset"
  elif ((ROLL < 81)); then
    click_button "W Rotation"
  elif ((ROLL < 89)); then
    random_cell_point
    move_to "$PX" "$PY"
  elif ((ROLL < 93)); then
    random_other_click
  elif ((ROLL < 95)); then
    leave_game
    GAMES_ABANDONED=$((GAMES_ABANDONED + 1))
  else
    sweep $((5 + RANDOM % 20))
  fi
}

# One random action while bots alone play: mostly waiting, so that the driver's
# screenshots and input take little of the processor from the game's frames.
bot_game_action() {
  roll 100
  if ((ROLL < 60)); then
    sleep 0.5
  elif ((ROLL < 75)); then
    random_cell_point
    move_to "$PX" "$PY"
  elif ((ROLL < 85)); then
    random_view_point
    random_drag "$PX" "$PY"
    after_release "$PX" "$PY"
  elif ((ROLL < 90)); then
    click_button "Reset"
  elif ((ROLL < 95)); then
    click_button "W Rotation"
  else
    random_other_click
  fi
}

game_step() {
  ((IN_GAME)) || fail "the game screen appeared although the driver clicked no \"Play\""
  local game_age=$((SECONDS - GAME_START))
  GAME_ACTIONS=$((GAME_ACTIONS + 1))
  if ((GAME_BOTS == GAME_PLAYERS)); then
    if ((GAME_DIMS == 2 && game_age > BOT_2D_GAME_LIMIT)); then
      fail "a 2D game of $GAME_PLAYERS bots alone has not ended after $game_age s"
    elif ((game_age > BOT_GAME_LIMIT && GAME_DIMS > 2)); then
      leave_game
      GAMES_ABANDONED=$((GAMES_ABANDONED + 1))
    else
      bot_game_action
    fi
  elif ((GAME_ACTIONS > HUMAN_GAME_ACTIONS)); then
    leave_game
    GAMES_ABANDONED=$((GAMES_ABANDONED + 1))
  else
    human_game_action
  fi
}

# A finished game: a look around, perhaps a click that must change nothing, then "Back".
over_step() {
  GAMES_FINISHED=$((GAMES_FINISHED + 1))
  echo "# t=$(elapsed) s: game $GAMES_STARTED has ended"
  if chance 50; then
    random_cell_point
    click "$PX" "$PY"
  fi
  chance 30 && sweep $((3 + RANDOM % 10))
  leave_game
}

# ---- Warm-up ----------------------------------------------------------------------

# Visits every board once with "Assist Mode" on: cell clicks, a hover, a drag
# over the view and both view Buttons, then "Back". After it every drawing path
# has reached its high-water mark of memory, so the warm sample is a fair baseline.
warm_up_tour() {
  local dims i x y
  click_button "Assist Mode"
  for dims in 2 3 4 5; do
    click_button "$dims Dimensions"
    read_settings
    start_game_now
    for i in 1 2 3 4; do
      random_cell_point
      click "$PX" "$PY"
    done
    random_cell_point
    move_to "$PX" "$PY"
    random_view_point
    x=$PX y=$PY
    random_view_point
    drag "$x" "$y" "$PX" "$PY" 10
    click_button "W Rotation"
    click_button "Reset"
    leave_game
    GAMES_ABANDONED=$((GAMES_ABANDONED + 1))
  done
  TOURED=1
}

# ---- The run ----------------------------------------------------------------------

# Sets SCREEN_NOW from the latest screenshot: title, game, over or unknown.
classify_screen() {
  local player
  if title_background $FREE_X $FREE_Y; then
    SCREEN_NOW=title
    return
  fi
  if game_over_background; then
    SCREEN_NOW=over
    return
  fi
  for player in 1 2 3 4 5; do
    if turn_of "$player"; then
      SCREEN_NOW=game
      return
    fi
  done
  SCREEN_NOW=unknown
}

# Snaps until the screen is recognised, for at most $SCREEN_TIMEOUT seconds.
recognise_screen() {
  local deadline=$((SECONDS + SCREEN_TIMEOUT))
  while snap && classify_screen && [[ $SCREEN_NOW == unknown ]]; do
    ((SECONDS < deadline)) || fail "neither the title nor a game screen ($SEEN)"
    expect_alive
    sleep 0.05
  done
}

play_at_random() {
  local deadline=$((START_TIME + DURATION))
  while ((SECONDS < deadline)); do
    expect_alive
    recognise_screen
    case $SCREEN_NOW in
      title) title_step ;;
      game) game_step ;;
      over) over_step ;;
    esac
    ACTIONS=$((ACTIONS + 1))
  done
  expect_alive
}

# Ends the game under way, if any, and takes the last sample on the title screen.
finish_on_title() {
  if ((IN_GAME)); then
    leave_game
    GAMES_ABANDONED=$((GAMES_ABANDONED + 1))
  fi
  sample_rss now
}

# AddressSanitizer keeps freed blocks in its quarantine (up to 256 MiB) and
# its own allocator ignores malloc_trim: its VmRSS says nothing about leaks.
detect_sanitizer() {
  if grep -q 'libasan' "/proc/$GAME_PID/maps"; then
    SANITIZED=1 TRIMMING=0
  fi
}

print_samples() {
  local i
  for i in "${!RSS_KIB[@]}"; do
    if ((TRIMMING)); then
      echo "#   t=${RSS_TIMES[i]} s  VmRSS ${RSS_RAW_KIB[i]} KiB, after trimming ${RSS_KIB[i]} KiB"
    else
      echo "#   t=${RSS_TIMES[i]} s  VmRSS ${RSS_RAW_KIB[i]} KiB"
    fi
  done
}

# Prints the samples and checks the growth from the warm sample to the last.
check_memory() {
  local last=$((${#RSS_KIB[@]} - 1)) margin=$RSS_MARGIN_KIB growth
  ((WARM >= 0 && WARM < last)) || fail "the run was too short for a sample after the warm-up"
  ((TRIMMING)) || margin=$UNTRIMMED_MARGIN_KIB
  print_samples
  growth=$((RSS_KIB[last] - RSS_KIB[WARM]))
  echo "# VmRSS after trimming: start ${RSS_KIB[0]} KiB, warm ${RSS_KIB[WARM]} KiB (t=${RSS_TIMES[WARM]} s)," \
    "end ${RSS_KIB[last]} KiB (t=${RSS_TIMES[last]} s); growth after warm-up $growth KiB," \
    "allowed $margin KiB"
  ((growth <= margin)) || fail "VmRSS grew by $growth KiB after the warm-up (seed $SEED)"
}

echo "# seed $SEED, $DURATION s; replay: bash $0 $GAME $DURATION $SEED"
start_xserver
launch_game "$GAME_DIR"
expect_title_screen
detect_sanitizer
START_TIME=$SECONDS
sample_rss now

begin_case "random play for $DURATION s (seed $SEED) keeps the game alive"
warm_up_tour
play_at_random
finish_on_title
echo "# $ACTIONS actions, $CELL_CLICKS cell clicks, $DRAGS drags; games: $GAMES_STARTED started," \
  "$GAMES_FINISHED played to their end, $GAMES_ABANDONED abandoned"
((GAMES_STARTED > 0)) || fail "no game was started in $DURATION s"
end_case

if ((SANITIZED)); then
  print_samples
  echo "# VmRSS not bounded: the game runs with AddressSanitizer, whose quarantine holds freed blocks"
else
  begin_case "VmRSS on the title screen grows by at most $RSS_MARGIN_KIB KiB after the warm-up"
  check_memory
  end_case
fi

begin_case "SIGTERM after the random play ends the game with status 0"
kill -TERM "$GAME_PID"
expect_exit_status 0
end_case
