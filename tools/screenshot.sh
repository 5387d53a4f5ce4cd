#!/usr/bin/env bash
# Plays a scripted session of the real game under a private X server and saves
# the README's pictures into docs/: the title screen, a won two-dimensional game,
# three- and four-dimensional games with their projected views, and a
# five-dimensional game in progress.
# Usage: bash tools/screenshot.sh [path/to/zarnith]   (default: build/zarnith)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

game=${1:-$ZARNITH_ROOT/build/zarnith}
if [[ ! -x $game ]]; then
  ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
  configure_build build -DCMAKE_BUILD_TYPE=Release
  cmake --build "$ZARNITH_ROOT/build" --target zarnith -j "$JOBS"
fi
source "$ZARNITH_ROOT/tests/e2e/lib.sh" "$game"

docs=$ZARNITH_ROOT/docs
mkdir -p "$docs"

# Saves the current picture as docs/$1.png once the screen has settled.
picture() {
  sleep 0.5
  snap
  cp "$(save_png "$1")" "$docs/$1.png"
  echo "wrote docs/$1.png"
}

# Clicks the cells given as groups of $1 indices, one move each.
moves() {
  local n=$1
  shift
  while (($# >= n)); do
    click_cell "${@:1:n}"
    shift "$n"
  done
}

start_xserver
launch_game "$GAME_DIR"
expect_title_screen

button_rect "Play"
move_to $((BX + BW / 2)) $((BY + BH / 2))
picture title

choose "2 Dimensions" "2 Players"
play_and_expect_game
moves 2 1 1 1 0 0 2 2 1 2 0
move_to 1100 600
await "the end of the two-dimensional game" 5 game_over_background
picture game-2d-won

click_button "Back"
expect_title_screen
choose "3 Dimensions" "3 Players" "Assist Mode"
play_and_expect_game
moves 3 1 1 1 0 0 0 2 2 2 0 1 1 2 0 0 1 0 2
drag 1000 850 1060 840 6
cell_square 2 1 1
move_to "$CX" "$CY"
picture game-3d

click_button "Back"
expect_title_screen
choose "4 Dimensions"
play_and_expect_game
moves 4 1 1 1 1 0 0 0 0 2 2 2 2 0 1 0 1 1 0 1 0 2 1 2 1 0 2 1 0 1 2 0 2 2 0 0 1
click_button "W Rotation"
STILL_DIGEST=""
await "the end of the quarter turn" 15 region_still 700 0 900 745
cell_square 1 1 2 1
move_to "$CX" "$CY"
picture game-4d

click_button "Back"
expect_title_screen
choose "5 Dimensions"
play_and_expect_game
moves 5 1 1 1 1 1 0 0 0 0 0 2 2 2 2 2 1 1 1 0 0 1 0 1 2 1 2 1 0 1 1 0 2 1 0 2 2 0 2 0 1 \
  0 1 0 2 0
cell_square 1 1 1 2 2
move_to "$CX" "$CY"
picture game-5d

quit_game
