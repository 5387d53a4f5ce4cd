# shellcheck shell=bash
# Helpers for the end-to-end tests: a private X server, the real game running in
# it, pointer and keys sent through XTEST, and pixels read back from screenshots.
# A script sources this file with the game's path as its first argument; the
# screenshot tool sources it too. Everything started here is killed on exit.

set -euo pipefail

if [[ $# -lt 1 || ! -x $1 ]]; then
  echo "usage: $0 path/to/zarnith" >&2
  exit 2
fi
GAME=$(readlink -f "$1")
GAME_DIR=$(dirname "$GAME")

readonly SCREEN_W=1600 SCREEN_H=900  # the X screen, as large as the game's canvas
readonly STEP_PAUSE=0.1              # seconds between input steps (see pause_for_frames)
readonly WINDOW_TIMEOUT=30           # seconds for the window to appear
readonly EXIT_TIMEOUT=15             # seconds for the game to end once asked to

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zarnith-e2e.XXXXXX")
RAW=$WORK/screen.rgb     # the latest screenshot, 8-bit RGB rows of SCREEN_W pixels
GAME_OUT=$WORK/game.out  # standard output and error of the latest launch
XVFB_PID=""
GAME_PID=""
GAME_STATUS=""           # exit status of the latest launch, once it has ended
WINDOW=""                # X id of the game window
WIN_X=0 WIN_Y=0          # its top-left corner on the screen
SEEN=""                  # what the last predicate looked at, for failure messages
CASE=""                  # the case under way, named in failure messages
CASES_PASSED=0

# ---- Reporting ------------------------------------------------------------------

# Reports the failure with the game's output, keeps a screenshot and ends the script.
fail() {
  echo "FAIL: ${CASE:+$CASE: }$*" >&2
  if [[ -s $GAME_OUT ]]; then
    echo "--- game output ---" >&2
    cat "$GAME_OUT" >&2
  fi
  save_png failure >/dev/null 2>&1 || true
  exit 1
}

begin_case() {
  CASE=$1
}

end_case() {
  CASES_PASSED=$((CASES_PASSED + 1))
  echo "ok $CASES_PASSED - $CASE"
  CASE=""
}

# Fails with $1 unless the predicate "$@" holds on the latest screenshot.
expect() {
  local what=$1
  shift
  "$@" || fail "expected: $what ($SEEN)"
}

# Runs the predicate "$@" on fresh screenshots until it holds, for at most $2
# seconds; fails with $1 and what the predicate saw last.
await() {
  local what=$1 timeout=$2
  shift 2
  local deadline=$((SECONDS + timeout))
  until snap && "$@"; do
    if ((SECONDS >= deadline)); then
      fail "timed out after $timeout s waiting for: $what ($SEEN)"
    fi
    if [[ -n $GAME_PID ]] && ! process_running "$GAME_PID"; then
      wait_for_exit 1
      fail "the game ended with status $GAME_STATUS while waiting for: $what"
    fi
    sleep 0.05
  done
}

# ---- Cleanup --------------------------------------------------------------------

stop_process() {
  local pid=$1
  [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for _ in {1..20}; do
    process_running "$pid" || return 0
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
}

# Stops the game and the X server; keeps the work folder when the script failed.
cleanup() {
  local status=$?
  stop_process "$GAME_PID"
  stop_process "$XVFB_PID"
  if ((status == 0)); then
    rm -rf "$WORK"
  else
    echo "screenshots and logs kept in $WORK" >&2
  fi
}
trap cleanup EXIT

# ---- Processes ------------------------------------------------------------------

# True while $1 runs; a child that has ended but is not yet reaped counts as ended.
process_running() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [[ ${stat%% *} != Z ]]
}

# Starts Xvfb on a display it picks itself and exports DISPLAY. -noreset keeps the
# server from resetting when its last client leaves, which a following launch
# could otherwise race.
start_xserver() {
  local display_file=$WORK/display
  Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -noreset -nolisten tcp \
    3>"$display_file" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  local deadline=$((SECONDS + 20))
  until [[ -s $display_file ]]; do
    process_running "$XVFB_PID" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    ((SECONDS < deadline)) || fail "Xvfb gave no display number within 20 s"
    sleep 0.05
  done
  DISPLAY=:$(head -n1 "$display_file")
  export DISPLAY
  unset WAYLAND_DISPLAY
}

# Copies the game into a fresh folder $1 under the work folder and prints the
# folder; the font is copied too only when $2 is "with-font".
game_copy() {
  local folder=$WORK/$1
  mkdir -p "$folder"
  cp "$GAME" "$folder/"
  [[ ${2:-} == with-font ]] && cp "$GAME_DIR/Text.ttf" "$folder/"
  echo "$folder"
}

# Starts program $2 in folder $1 without waiting for a window. The words after
# $2 are environment settings (NAME=value) that override the defaults: the X11
# video driver and silent audio. In a sanitizer build leak detection is off: the
# X11, D-Bus and driver libraries that SDL loads and unloads leave allocations
# that LeakSanitizer cannot attribute; the unit tests check for leaks instead.
start_program() {
  local folder=$1 program=$2
  shift 2
  GAME_STATUS=""
  WINDOW=""
  : >"$GAME_OUT"
  (cd "$folder" && exec env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$@" "$program") \
    >"$GAME_OUT" 2>&1 &
  GAME_PID=$!
}

# Starts the game executable that lies in folder $1, with that folder as its
# working directory, where it looks for Text.ttf. Settings as for start_program.
start_game() {
  local folder=$1
  shift
  start_program "$folder" "./$(basename "$GAME")" "$@"
}

# Starts the game like start_game and waits for its window.
launch_game() {
  start_game "$@"
  wait_for_window
}

# Waits for the window titled Zarnith and records where it lies.
wait_for_window() {
  local deadline=$((SECONDS + WINDOW_TIMEOUT))
  until WINDOW=$(xdotool search --name '^Zarnith$' 2>/dev/null | head -n1) && [[ -n $WINDOW ]]; do
    if ! process_running "$GAME_PID"; then
      wait_for_exit 1
      fail "the game ended with status $GAME_STATUS before its window appeared"
    fi
    ((SECONDS < deadline)) || fail "no window titled Zarnith within $WINDOW_TIMEOUT s"
    sleep 0.1
  done
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
  WIN_X=$X WIN_Y=$Y
  ((WIDTH == SCREEN_W && HEIGHT == SCREEN_H)) || fail "window is ${WIDTH}x${HEIGHT}, not 1600x900"
}

# Waits up to $1 seconds for the game to end and stores its status in
# GAME_STATUS; fails when it is still running.
wait_for_exit() {
  local deadline=$((SECONDS + $1))
  while process_running "$GAME_PID"; do
    ((SECONDS < deadline)) || fail "the game still runs $1 s after it was asked to end"
    sleep 0.05
  done
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}

expect_exit_status() {
  wait_for_exit "$EXIT_TIMEOUT"
  [[ $GAME_STATUS == "$1" ]] || fail "exit status $GAME_STATUS, expected $1"
}

# Ends the game with Escape and expects the clean exit status 0.
quit_game() {
  press_key Escape
  expect_exit_status 0
}

expect_output_line() {
  grep -qxF "$1" "$GAME_OUT" || fail "standard output lacks the line \"$1\""
}

# ---- Places and colours on the canvas ---------------------------------------------

readonly FREE_X=50 FREE_Y=50  # a canvas point that nothing but the background ever covers
readonly WHITE='r == 255 && g == 255 && b == 255'  # a count_pixels condition

# Background of the game screen while each player is to move, and once it is over.
readonly TINT_PLAYER1="70 20 20" TINT_PLAYER2="20 20 70" TINT_PLAYER3="15 55 15"
readonly TINT_PLAYER4="70 30 70" TINT_PLAYER5="30 70 70" GAME_OVER_BLACK="0 0 0"

# Mark colours of players 1 to 5 on the flat boards.
readonly PLAYER_COLOUR=("" "255 0 0" "50 50 255" "0 255 0" "255 0 255" "0 255 255")

# Rectangles "x y w h" of the Buttons, in window pixels.
declare -rA BUTTON=(
  ["5 Dimensions"]="150 650 360 60" ["4 Dimensions"]="150 550 360 60"
  ["3 Dimensions"]="150 450 360 60" ["2 Dimensions"]="150 350 360 60"
  ["5 Players"]="550 650 300 60" ["4 Players"]="550 550 300 60"
  ["3 Players"]="550 450 300 60" ["2 Players"]="550 350 300 60"
  ["4 Bots"]="900 750 200 60" ["3 Bots"]="900 650 200 60" ["2 Bots"]="900 550 200 60"
  ["1 Bots"]="900 450 200 60" ["0 Bots"]="900 350 200 60"
  ["Easy"]="1225 625 150 40" ["Meh"]="1225 685 150 40" ["Hard"]="1225 745 150 40"
  ["Play"]="1200 350 200 60" ["Assist Mode"]="1175 450 250 40" ["Quit"]="1250 530 100 35"
  ["Back"]="1400 815 150 45" ["Reset"]="1100 700 100 35" ["W Rotation"]="1050 750 200 35"
)

# Sets BX, BY, BW and BH to the rectangle of Button $1.
button_rect() {
  [[ -n ${BUTTON[$1]:-} ]] || fail "no Button \"$1\""
  read -r BX BY BW BH <<<"${BUTTON[$1]}"
}

# Sets PX and PY to a point inside Button $1 near its left end, clear of the
# outline and of the centred label.
button_inside() {
  button_rect "$1"
  PX=$((BX + 12)) PY=$((BY + BH / 2))
}

# Sets CL, CT and CS to the square (left, top, side) of the flat board cell
# whose indices, outermost first, are "$@", and CX, CY to its centre. The number
# of indices is the number of dimensions, each with the cell size that the
# title screen gives it. Example: cell_square 1 1 1 0 0 gives the square at
# (740, 390) with side 40.
cell_square() {
  local s x0 y0
  case $# in
    2) s=80 ;;
    3 | 4) s=60 ;;
    5) s=40 ;;
    *) fail "cell_square takes 2 to 5 indices, not $#" ;;
  esac
  x0=$((800 - s / 2 - s)) y0=$((450 - s / 2 - s))
  case $# in
    2) CL=$((x0 + $1 * s)) CT=$((y0 + $2 * s)) ;;
    3) CL=$((x0 - 200 + $2 * s)) CT=$((y0 + (4 * $1 + $3 - 4) * s)) ;;
    4) CL=$((x0 - 300 + (4 * $1 + $3 - 4) * s)) CT=$((y0 + (4 * $2 + $4 - 4) * s)) ;;
    5) CL=$((x0 + (12 * $1 + 4 * $2 + $4 - 16) * s)) CT=$((y0 + (4 * $3 + $5 - 4) * s)) ;;
  esac
  CS=$s CX=$((CL + s / 2)) CY=$((CT + s / 2))
}

# ---- Input ----------------------------------------------------------------------
# The game samples the pointer once per frame, before it takes that frame's
# events, and ignores all input for three frames after a screen switch; a pause
# of STEP_PAUSE between steps leaves it several frames to see each one.

pause_for_frames() {
  sleep "$STEP_PAUSE"
}

move_to() {
  xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2))
  pause_for_frames
}

# A left click: press and release at (x, y) in window pixels.
click() {
  move_to "$1" "$2"
  xdotool mousedown 1
  pause_for_frames
  xdotool mouseup 1
  pause_for_frames
}

# Drags with the left button held from ($1, $2) to ($3, $4) in $5 steps, so the
# game sees the pointer move over several frames.
drag() {
  local x1=$1 y1=$2 x2=$3 y2=$4 steps=${5:-10} i
  move_to "$x1" "$y1"
  xdotool mousedown 1
  pause_for_frames
  for ((i = 1; i <= steps; i++)); do
    xdotool mousemove $((WIN_X + x1 + (x2 - x1) * i / steps)) $((WIN_Y + y1 + (y2 - y1) * i / steps))
    sleep 0.03
  done
  pause_for_frames
  xdotool mouseup 1
  pause_for_frames
}

# Holds the key down for a moment: the game reads Escape from the live key state
# while taking events, so a press and release taken in one pass would go unseen.
press_key() {
  xdotool keydown "$1"
  pause_for_frames
  xdotool keyup "$1"
  pause_for_frames
}

click_button() {
  button_rect "$1"
  click $((BX + BW / 2)) $((BY + BH / 2))
}

# Clicks the Buttons named in "$@" one after the other, as on the title screen.
choose() {
  local label
  for label in "$@"; do click_button "$label"; done
}

# Clicks the middle of the flat board cell with indices "$@".
click_cell() {
  cell_square "$@"
  click "$CX" "$CY"
}

# ---- Screenshots and pixels -------------------------------------------------------

snap() {
  import -window root -depth 8 "rgb:$RAW"
}

# Writes the latest screenshot, cut to the game window, to $WORK/$1.png and
# prints that path. The file carries no time stamps, so the same picture
# always gives the same bytes.
save_png() {
  local png=$WORK/$1.png
  convert -size "${SCREEN_W}x${SCREEN_H}" -depth 8 "rgb:$RAW" \
    -crop "${SCREEN_W}x${SCREEN_H}+$WIN_X+$WIN_Y" +repage \
    -strip -define png:exclude-chunk=date,time "$png"
  echo "$png"
}

# Sets R, G and B to the colour of window pixel ($1, $2) in the latest screenshot.
pixel() {
  local offset=$((((WIN_Y + $2) * SCREEN_W + WIN_X + $1) * 3))
  read -r R G B < <(od -An -tu1 -j "$offset" -N3 "$RAW")
  SEEN="pixel ($1, $2) is ($R, $G, $B)"
}

# Prints how many pixels of the window rectangle x y w h satisfy the awk
# condition $5 over r, g and b, e.g. "$WHITE".
count_pixels() {
  convert -size "${SCREEN_W}x${SCREEN_H}" -depth 8 "rgb:$RAW" \
    -crop "$3x$4+$((WIN_X + $1))+$((WIN_Y + $2))" +repage -format %c histogram:info:- |
    awk "{ gsub(/[(),:]/, \" \"); r = \$2; g = \$3; b = \$4; if ($5) n += \$1 } END { print n + 0 }"
}

# Prints a digest of the window rectangle x y w h of the latest screenshot.
region_digest() {
  convert -size "${SCREEN_W}x${SCREEN_H}" -depth 8 "rgb:$RAW" \
    -crop "$3x$4+$((WIN_X + $1))+$((WIN_Y + $2))" +repage rgb:- | md5sum | cut -d' ' -f1
}

# ---- Predicates over the latest screenshot -----------------------------------------
# Each returns success when its condition holds and leaves in SEEN what it saw.

# Pixel ($1, $2) is within $6 (default 2) of ($3, $4, $5) on every channel.
colour_near() {
  pixel "$1" "$2"
  local tolerance=${6:-2}
  ((R >= $3 - tolerance && R <= $3 + tolerance && G >= $4 - tolerance && G <= $4 + tolerance &&
    B >= $5 - tolerance && B <= $5 + tolerance))
}

is_white() {
  colour_near "$1" "$2" 255 255 255 0
}

# The title screen's cycling background: red and green add up to 50, blue at most 50.
title_background() {
  pixel "$1" "$2"
  ((R + G >= 49 && R + G <= 51 && B <= 50))
}

# The title background under the black overlay at alpha 150 that marks a
# selected Button: each channel keeps 105/255 of its value.
title_background_darkened() {
  pixel "$1" "$2"
  ((R + G >= 17 && R + G <= 23 && B <= 22))
}

# The title background under the additive white overlay at alpha 20 of a
# hovered Button: 20 more on each channel.
title_background_lightened() {
  pixel "$1" "$2"
  ((R + G >= 87 && R + G <= 93 && B >= 20 && B <= 72))
}

# The game screen's background shows that player $1 is to move.
turn_of() {
  local tint_name=TINT_PLAYER$1
  colour_near $FREE_X $FREE_Y ${!tint_name} 0
}

game_over_background() {
  colour_near $FREE_X $FREE_Y $GAME_OVER_BLACK 0
}

# Prints how many pixels inside the square of the cell with indices "${@:2}"
# have player $1's colour.
cell_colour_count() {
  local player=$1
  shift
  cell_square "$@"
  local r g b
  read -r r g b <<<"${PLAYER_COLOUR[$player]}"
  count_pixels $((CL + 1)) $((CT + 1)) $((CS - 1)) $((CS - 1)) "r == $r && g == $g && b == $b"
}

# The cell with indices "${@:2}" holds player $1's mark.
cell_has_mark() {
  local count
  count=$(cell_colour_count "$@")
  SEEN="$count pixels of player $1's colour in cell (${*:2})"
  ((count >= 20))
}

# No player's colour inside the square of the cell with indices "$@".
cell_is_empty() {
  local player count total=0
  for player in 1 2 3 4 5; do
    count=$(cell_colour_count "$player" "$@")
    total=$((total + count))
  done
  SEEN="$total pixels of player colours in cell ($*)"
  ((total == 0))
}

# The window rectangle $2 $3 $4 $5 has digest $1 (from region_digest).
region_is() {
  local digest
  digest=$(region_digest "$2" "$3" "$4" "$5")
  SEEN="region $2 $3 $4 $5 has digest $digest"
  [[ $digest == "$1" ]]
}

region_differs() {
  ! region_is "$@"
}

# The window rectangle $1 $2 $3 $4 is the same as at the previous call, 0.3 s
# or more before: the picture has come to rest. Clear STILL_DIGEST first.
STILL_DIGEST=""
region_still() {
  local digest
  digest=$(region_digest "$@")
  SEEN="region $* changed between two screenshots"
  [[ $digest == "$STILL_DIGEST" ]] && return 0
  STILL_DIGEST=$digest
  sleep 0.3
  return 1
}

# ---- Screens --------------------------------------------------------------------

# Waits for the title screen and checks that its Buttons are drawn.
expect_title_screen() {
  await "the dark title background" 10 title_background $FREE_X $FREE_Y
  # The right edge lies just outside the overlays, which fill w by h pixels.
  button_rect "2 Dimensions"
  expect "the outline of \"2 Dimensions\"" is_white $((BX + BW)) $((BY + BH / 2))
}

# Prints the number of white pixels of the title "Zarnith" and the "Play" label.
text_pixels() {
  button_rect "Play"
  echo $(($(count_pixels 500 100 600 100 "$WHITE") +
    $(count_pixels $((BX + 2)) $((BY + 2)) $((BW - 4)) $((BH - 4)) "$WHITE")))
}

# Clicks "Play" and waits for the game screen of player 1's turn.
play_and_expect_game() {
  click_button "Play"
  await "player 1's tint after \"Play\"" 10 turn_of 1
}
