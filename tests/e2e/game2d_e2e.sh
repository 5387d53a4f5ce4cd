#!/usr/bin/env bash
# Whole games on the two-dimensional board of the real game: two humans to a win
# and to a draw, a human against the "Hard" bot, and bots playing alone.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly BOT_TURN_TIMEOUT=15  # seconds; a bot waits 101 frames (about 0.8 s) before it moves
readonly CORNERS=("0 0" "2 0" "0 2" "2 2")
readonly EDGES=("1 0" "0 1" "2 1" "1 2")
readonly ALL_CELLS=("${CORNERS[@]}" "${EDGES[@]}" "1 1")

# Player $1 clicks cell ($2, $3); the mark must appear there and the turn pass to
# player $4, or the game end when $4 is "over".
move() {
  local player=$1 i=$2 j=$3 next=$4
  click_cell "$i" "$j"
  if [[ $next == over ]]; then
    await "the black background after the last move" 5 game_over_background
  else
    await "player $next's turn after player $player's move" 5 turn_of "$next"
  fi
  expect "player $player's mark in cell ($i, $j)" cell_has_mark "$player" "$i" "$j"
}

# Prints the cells among "$@" ("i j" pairs) that hold player $1's mark.
cells_of() {
  local player=$1 cell
  shift
  for cell in "$@"; do
    if cell_has_mark "$player" $cell; then echo "$cell"; fi
  done
}

start_xserver
launch_game "$GAME_DIR"
choose "2 Dimensions" "2 Players"

begin_case "two humans: marks go where clicked, the tint follows the turn, a column wins"
play_and_expect_game
cell_square 0 1
win_line_x=$CX grid_line_y=$CT  # where the winning column will cross a grid line
expect "a white grid line before the win" is_white "$win_line_x" "$grid_line_y"
move 1 0 0 2
move 2 1 0 1
move 1 0 1 2
move 2 1 1 1
move 1 0 2 over
expect "the winning line in player 1's red over the grid line" \
  colour_near "$win_line_x" "$grid_line_y" ${PLAYER_COLOUR[1]} 0
expect "the winning line between the marks" colour_near "$win_line_x" $((grid_line_y - 15)) ${PLAYER_COLOUR[1]} 0
end_case

begin_case "after the end a click on an empty cell places nothing"
click_cell 2 2
snap
expect "cell (2, 2) still empty" cell_is_empty 2 2
expect "still the black background" game_over_background
end_case

begin_case "\"Back\" and \"Play\" start an empty board with player 1 to move"
click_button "Back"
expect_title_screen
play_and_expect_game
for cell in "0 0" "1 0" "0 1" "1 1" "0 2"; do
  expect "cell ($cell) empty in the new game" cell_is_empty $cell
done
end_case

begin_case "two humans fill the board without a line: a draw"
move 1 0 0 2
move 2 1 0 1
move 1 2 0 2
move 2 1 1 1
move 1 1 2 2
move 2 0 2 1
move 1 0 1 2
move 2 2 1 1
move 1 2 2 over
expect "no winning line: the grid line stays white" is_white "$win_line_x" "$grid_line_y"
end_case

begin_case "a click on a taken cell or on a grid line places nothing"
click_button "Back"
expect_title_screen
play_and_expect_game
move 1 1 1 2
click_cell 1 1
cell_square 0 0
click $((CL + CS)) "$CY"  # the line between cells (0, 0) and (1, 0)
snap
expect "still player 2's turn" turn_of 2
expect "the taken cell keeps player 1's mark" cell_has_mark 1 1 1
expect "cell (0, 0) still empty" cell_is_empty 0 0
expect "cell (1, 0) still empty" cell_is_empty 1 0
quit_game
end_case

begin_case "\"Assist Mode\" draws the line the player to move would extend, only while hovering"
launch_game "$GAME_DIR"
choose "2 Dimensions" "2 Players" "Assist Mode"
play_and_expect_game
move 1 0 0 2
move 2 1 0 1
cell_square 0 1
move_to "$CX" "$CY"
await "a red assist line through cells (0, 0) to (0, 2)" 5 \
  colour_near "$win_line_x" $((grid_line_y - 15)) ${PLAYER_COLOUR[1]} 0
move_to $FREE_X $FREE_Y
await "no assist line once the pointer leaves the board" 5 \
  colour_near "$win_line_x" $((grid_line_y - 15)) $TINT_PLAYER1 0
quit_game
end_case

begin_case "the \"Hard\" bot answers the centre with a corner and blocks a threat"
launch_game "$GAME_DIR"
choose "2 Dimensions" "2 Players" "1 Bots" "Hard"
play_and_expect_game
move_to $FREE_X $FREE_Y
move 1 1 1 2
await "the bot's answer" "$BOT_TURN_TIMEOUT" turn_of 1
mapfile -t bot_corners < <(cells_of 2 "${CORNERS[@]}")
mapfile -t bot_edges < <(cells_of 2 "${EDGES[@]}")
((${#bot_corners[@]} == 1 && ${#bot_edges[@]} == 0)) ||
  fail "the bot took corners (${bot_corners[*]}) and edges (${bot_edges[*]}), not one corner"
move 1 1 0 2  # player 1 now threatens the column through the centre
await "the bot's second move" "$BOT_TURN_TIMEOUT" turn_of 1
expect "the bot blocks at (1, 2)" cell_has_mark 2 1 2
end_case

begin_case "the game against the bot runs to its end"
for ((moves = 0; moves < 9; moves++)); do
  snap
  game_over_background && break
  free=""
  for cell in "${ALL_CELLS[@]}"; do
    if cell_is_empty $cell; then free=$cell && break; fi
  done
  [[ -n $free ]] || fail "no empty cell, yet the game is not over"
  click_cell $free
  await "the bot's answer or the end" "$BOT_TURN_TIMEOUT" eval 'turn_of 1 || game_over_background'
done
expect "the game has ended" game_over_background
quit_game
end_case

begin_case "three bots play a game to its end without any input"
launch_game "$GAME_DIR"
choose "2 Dimensions" "3 Bots" "Meh"
click_button "Play"
move_to $FREE_X $FREE_Y
await "the end of the bots' game" 60 game_over_background
for player in 1 2 3; do
  mapfile -t marked < <(cells_of "$player" "${ALL_CELLS[@]}")
  ((${#marked[@]} >= 2)) || fail "player $player has ${#marked[@]} marks after a finished game"
done
quit_game
end_case
