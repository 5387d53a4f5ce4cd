#!/usr/bin/env bash
# Runs the real game under valgrind's memcheck through a scripted session under
# a private X server: the title screen, a 2D game of bots to its end, 3D and 4D
# games with clicks, drags, "Reset" and "W Rotation", a 5D game with clicks,
# "Back" and "Quit". Fails on any invalid read or write, on any "definitely
# lost" block allocated with the game's own code on the stack, and on any other
# memory error raised inside the game's own code. What D-Bus, X11, the GL driver,
# fontconfig, FreeType and the C library's loader keep by design is suppressed
# by tools/valgrind.supp.
#
# Usage: bash tools/memcheck.sh [path/to/zarnith]
#   Without a path it builds build-memcheck/ (RelWithDebInfo) first. The game
#   runs on SDL's software renderer, the same game code: under valgrind the GL
#   driver (Mesa's llvmpipe, whose shaders are JIT code) takes about a second
#   a frame, so the session would last an hour.
#   ZARNITH_MEMCHECK_OPTIONS adds valgrind options, e.g. --gen-suppressions=all.
# The full valgrind log is kept as memcheck.log beside the game.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

game=${1:-}
if [[ -z $game ]]; then
  ensure_packages "${BUILD_PACKAGES[@]}"
  configure_build build-memcheck -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARNITH_TESTS=OFF \
    -DZARNITH_BENCHMARKS=OFF
  cmake --build "$ZARNITH_ROOT/build-memcheck" --target zarnith -j "$JOBS"
  game=$ZARNITH_ROOT/build-memcheck/zarnith
fi
ensure_packages "${TEST_PACKAGES[@]}" valgrind
source "$ZARNITH_ROOT/tests/e2e/lib.sh" "$game"

readonly ERROR_STATUS=99      # valgrind's exit status when it counted errors
readonly STEP=0.5             # seconds between input steps: a frame under valgrind takes 20 to 50 ms
readonly START_TIMEOUT=300    # seconds for the first picture under valgrind
readonly MOVE_TIMEOUT=120     # seconds for a screen change or a bot's move
readonly EXIT_WAIT=900        # seconds for the leak check after "Quit"
readonly LOG=$GAME_DIR/memcheck.log

# ---- Running the game under valgrind ----------------------------------------------

# Writes the program that start_program runs: valgrind around the game on SDL's
# software renderer, which without framebuffer acceleration loads no GL at all.
# The log goes to one file per process (a library may fork a helper); the
# game's is the one named after its process id.
write_launcher() {
  cat >"$WORK/under-valgrind" <<EOF
#!/bin/sh
exec env SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 valgrind --tool=memcheck --leak-check=full \\
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite \\
  --suppressions="$ZARNITH_ROOT/tools/valgrind.supp" --error-exitcode=$ERROR_STATUS \\
  --keep-debuginfo=yes --fullpath-after= --num-callers=40 ${ZARNITH_MEMCHECK_OPTIONS:-} \\
  --log-file="$WORK/valgrind.%p.log" "$GAME"
EOF
  chmod +x "$WORK/under-valgrind"
}

# ---- Slow input -------------------------------------------------------------------
# The game reads the pointer once a frame, before that frame's events; with
# frames this slow, a move and a release sent close together could reach the
# game in one frame, and the release would act where the pointer was before.

slow_move() {
  xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2))
  sleep "$STEP"
}

slow_click() {
  slow_move "$1" "$2"
  xdotool mousedown 1
  sleep "$STEP"
  xdotool mouseup 1
  sleep "$STEP"
}

slow_drag() {
  local x1=$1 y1=$2 x2=$3 y2=$4 i
  slow_move "$x1" "$y1"
  xdotool mousedown 1
  sleep "$STEP"
  for i in 1 2 3 4 5 6; do slow_move $((x1 + (x2 - x1) * i / 6)) $((y1 + (y2 - y1) * i / 6)); done
  xdotool mouseup 1
  sleep "$STEP"
}

slow_button() {
  local label
  for label in "$@"; do
    button_rect "$label"
    slow_click $((BX + BW / 2)) $((BY + BH / 2))
  done
}

slow_cells() {
  local n=$1
  shift
  while (($# >= n)); do
    cell_square "${@:1:n}"
    slow_click "$CX" "$CY"
    shift "$n"
  done
}

play() {
  slow_button "Play"
  await "player 1's turn after \"Play\"" "$MOVE_TIMEOUT" turn_of 1
}

back_to_title() {
  slow_button "Back"
  await "the title screen after \"Back\"" "$MOVE_TIMEOUT" title_background $FREE_X $FREE_Y
}

# ---- The session ------------------------------------------------------------------

session() {
  local label
  await "the title screen under valgrind" "$START_TIMEOUT" title_background $FREE_X $FREE_Y
  for label in "Play" "Assist Mode" "5 Players" "Hard"; do
    button_inside "$label"
    slow_move "$PX" "$PY"
  done
  echo "# title screen shown"

  slow_button "2 Dimensions" "2 Players" "2 Bots" "Hard"
  play
  await "the end of the 2D game of bots" $((10 * MOVE_TIMEOUT)) game_over_background
  back_to_title
  echo "# 2D game of two bots played to its end"

  slow_button "3 Dimensions" "0 Bots" "Assist Mode"
  play
  slow_cells 3 1 1 1 0 0 0 2 2 2
  cell_square 0 1 2
  slow_move "$CX" "$CY"
  slow_drag 1000 300 1200 400
  slow_button "Reset"
  sleep 2
  back_to_title
  echo "# 3D game with clicks, a drag and \"Reset\""

  slow_button "4 Dimensions" "3 Players" "1 Bots"
  play
  slow_cells 4 1 1 1 1 0 0 0 0
  slow_drag 900 200 1100 500
  slow_button "W Rotation"
  sleep 6
  back_to_title
  echo "# 4D game with clicks, a drag and \"W Rotation\""

  slow_button "5 Dimensions" "0 Bots"
  play
  slow_cells 5 1 1 1 1 1 0 0 0 0 0 2 2 2 2 2 0 1 2 1 0
  back_to_title
  echo "# 5D game with clicks"

  slow_button "Quit"
  echo "# \"Quit\"; valgrind checks for leaks"
  wait_for_exit "$EXIT_WAIT"
}

# ---- The verdict ------------------------------------------------------------------

# Reads valgrind's log $1 and prints one line per finding that fails the run:
# the first line of the error or loss record, then "  at <frame>" lines. A
# frame is the game's own when its source lies in one of the game's folders.
failing_records() {
  awk '
    function game_frame(line) {
      return line ~ /\(\/[^)]*\/(app|title|rules|bots|render|screen)\/[^\/)]+:[0-9]+\)$/ &&
             line !~ /\(\/usr\//
    }
    function finish() {
      if (head == "") return
      fails = head ~ /^Invalid (read|write) of size/ ||
              (head ~ /are definitely lost in loss record/ && has_game) ||
              (head !~ /lost in loss record/ && first_is_game)
      if (fails) printf "%s\n%s", head, frames
      head = ""; frames = ""; has_game = 0; first_is_game = 0; nframes = 0; substack = 0
    }
    # Lines without the process prefix are suppression templates (--gen-suppressions).
    !/^==[0-9]+==/ { next }
    { sub(/^==[0-9]+== ?/, "") }
    /^$/ { finish(); next }
    /^(HEAP|LEAK|ERROR) SUMMARY/ { finish(); next }
    /^ +(at|by) 0x/ {
      if (head == "") next
      if (game_frame($0)) {
        has_game = 1
        if (nframes == 0 && !substack) first_is_game = 1
      }
      nframes++
      frames = frames "  " $0 "\n"
      next
    }
    # Any other line inside a record ("Address 0x... is inside a block of size 8",
    # "Block was allocated at" and the like) starts a second stack: where the
    # memory came from, not where the error happened.
    head != "" { substack = 1; nframes = 0; frames = frames "  " $0 "\n"; next }
    { head = $0 }
    END { finish() }
  ' "$1"
}

write_launcher
start_xserver
echo "# valgrind runs the game at $GAME; this takes several minutes"
start_program "$GAME_DIR" "$WORK/under-valgrind"
game_pid=$GAME_PID  # wait_for_exit clears GAME_PID
wait_for_window
session

main_log=$WORK/valgrind.$game_pid.log
[[ -s $main_log ]] || fail "valgrind wrote no log for the game (process $game_pid)"
cp "$main_log" "$LOG"
echo "# valgrind's log: $LOG"
grep -E 'definitely lost:|indirectly lost:|possibly lost:|still reachable:|suppressed:|ERROR SUMMARY' "$LOG" |
  sed 's/^==[0-9]*== */  /'

findings=$(failing_records "$LOG")
if [[ -n $findings ]]; then
  printf '%s\n' "$findings"
  fail "valgrind found memory errors or leaks in the game's own code (full log: $LOG)"
fi
case $GAME_STATUS in
  0) echo "memcheck: no errors" ;;
  "$ERROR_STATUS") echo "memcheck: no errors in the game's own code; valgrind counted errors in libraries, see $LOG" ;;
  *) fail "the game under valgrind ended with status $GAME_STATUS" ;;
esac
