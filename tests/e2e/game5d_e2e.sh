#!/usr/bin/env bash
# The five-dimensional board of the real game: its 27 grids with the separator
# bars, and moves in its first and last cells.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

start_xserver
launch_game "$GAME_DIR"
choose "5 Dimensions" "2 Players"
play_and_expect_game
move_to $FREE_X $FREE_Y

begin_case "the grids span 100..1500 by 230..670 with separator bars at 560 and 1040"
snap
for x in 560 561 1040 1041; do
  expect "separator bar at x = $x" is_white "$x" 300
  expect "separator bar at x = $x reaches y = 230" is_white "$x" 230
  expect "separator bar at x = $x reaches y = 670" is_white "$x" 670
done
cell_square 0 0 0 0 0
expect "grid line right of the first cell" is_white $((CL + CS)) "$CY"
expect "no outer border left of the first cell" colour_near "$CL" "$CY" $TINT_PLAYER1 0
cell_square 2 2 2 2 2
expect "grid line left of the last cell" is_white "$CL" "$CY"
expect "no outer border right of the last cell" colour_near $((CL + CS)) "$CY" $TINT_PLAYER1 0
end_case

begin_case "no projected view and no view Buttons in five dimensions"
for label in "Reset" "W Rotation"; do
  button_rect "$label"
  expect "no outline of \"$label\"" colour_near $((BX + BW)) $((BY + BH / 2)) $TINT_PLAYER1 0
done
marks=$(count_pixels 700 0 900 220 'r > 100 || g > 100 || b > 100')
((marks == 0)) || fail "$marks bright pixels above the grids"
end_case

begin_case "moves in the first and the last cell"
click_cell 0 0 0 0 0
await "player 2's turn" 5 turn_of 2
expect "player 1's cross in the first cell" cell_has_mark 1 0 0 0 0 0
click_cell 2 2 2 2 2
await "player 1's turn" 5 turn_of 1
expect "player 2's ring in the last cell" cell_has_mark 2 2 2 2 2 2
end_case

begin_case "a click on the line between two cells places nothing"
cell_square 1 1 1 0 0
click $((CL + CS)) "$CY"
snap
expect "still player 1's turn" turn_of 1
expect "cell (1 1 1 0 0) still empty" cell_is_empty 1 1 1 0 0
expect "cell (1 1 1 1 0) still empty" cell_is_empty 1 1 1 1 0
quit_game
end_case
