#!/usr/bin/env bash
# The projected views of the real game: dragging turns the three-dimensional
# view and "Reset" brings it back; "W Rotation" turns the four-dimensional view
# a quarter turn and stops.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly REST_X=1000 REST_Y=850  # a pointer position over no cell and no Button
readonly VIEW_3D=(700 0 900 690)  # the projected view, clear of the flat grids and the Buttons
readonly VIEW_4D=(700 0 900 745)

start_xserver
launch_game "$GAME_DIR"
choose "3 Dimensions" "2 Players"
play_and_expect_game

begin_case "three dimensions show \"Reset\" and no \"W Rotation\""
click_cell 1 1 1
click_cell 0 0 0
move_to $REST_X $REST_Y
await "player 1's turn after two moves" 5 turn_of 1
button_rect "Reset"
expect "the outline of \"Reset\"" is_white $((BX + BW)) $((BY + BH / 2))
button_rect "W Rotation"
expect "no outline of \"W Rotation\"" colour_near $((BX + BW)) $((BY + BH / 2)) $TINT_PLAYER1 0
marks=$(count_pixels "${VIEW_3D[@]}" 'r == 255 && g == 0 && b == 0')
((marks > 20)) || fail "the projected view shows no red cross ($marks red pixels)"
end_case

begin_case "dragging turns the three-dimensional view and \"Reset\" brings the same picture back"
sleep 0.3
snap
before=$(region_digest "${VIEW_3D[@]}")
drag $REST_X $REST_Y 1250 880 10
move_to $REST_X $REST_Y
await "the view turned by the drag" 5 region_differs "$before" "${VIEW_3D[@]}"
expect "a drag places no mark" turn_of 1
click_button "Reset"
move_to $REST_X $REST_Y
await "the view back where it started" 10 region_is "$before" "${VIEW_3D[@]}"
end_case

begin_case "four dimensions show both view Buttons"
click_button "Back"
expect_title_screen
choose "4 Dimensions"
play_and_expect_game
click_cell 0 0 0 0
move_to $REST_X $REST_Y
await "player 2's turn" 5 turn_of 2
for label in "Reset" "W Rotation"; do
  button_rect "$label"
  expect "the outline of \"$label\"" is_white $((BX + BW)) $((BY + BH / 2))
done
end_case

begin_case "\"W Rotation\" turns the four-dimensional view and stops"
sleep 0.3
snap
before=$(region_digest "${VIEW_4D[@]}")
click_button "W Rotation"
move_to $REST_X $REST_Y
await "the view turning" 5 region_differs "$before" "${VIEW_4D[@]}"
STILL_DIGEST=""
await "the view at rest" 15 region_still "${VIEW_4D[@]}"
expect "a picture other than the first" region_differs "$before" "${VIEW_4D[@]}"
sleep 1
snap
expect "still at rest a second later" region_is "$STILL_DIGEST" "${VIEW_4D[@]}"
quit_game
end_case
