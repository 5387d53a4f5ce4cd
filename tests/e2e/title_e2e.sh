#!/usr/bin/env bash
# The title screen of the real game: its colours, selecting a setting, "Play",
# "Back", "Quit" and Escape.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

start_xserver

begin_case "the background is dark and the start settings' Buttons are darkened"
launch_game "$GAME_DIR"
move_to 1500 200
await "the dark title background" 10 title_background $FREE_X $FREE_Y
for label in "3 Dimensions" "3 Players" "0 Bots" "Easy"; do
  button_inside "$label"
  expect "\"$label\" is selected and darkened" title_background_darkened "$PX" "$PY"
done
for label in "2 Dimensions" "5 Players" "4 Bots" "Hard" "Play" "Assist Mode"; do
  button_inside "$label"
  expect "\"$label\" is drawn over plain background" title_background "$PX" "$PY"
done
end_case

begin_case "the outlines leave the corners open and the labels and title are drawn"
button_rect "2 Dimensions"
expect "left outline" is_white "$BX" $((BY + BH / 2))
expect "top outline" is_white $((BX + BW / 2)) "$BY"
expect "right outline" is_white $((BX + BW)) $((BY + BH / 2))
expect "bottom outline" is_white $((BX + BW / 2)) $((BY + BH))
expect "open top-left corner" title_background "$BX" "$BY"
expect "open bottom-right corner" title_background $((BX + BW)) $((BY + BH))
button_rect "Play"
label_pixels=$(count_pixels $((BX + 2)) $((BY + 2)) $((BW - 4)) $((BH - 4)) "$WHITE")
((label_pixels > 50)) || fail "the \"Play\" label has $label_pixels white pixels"
title_pixels=$(count_pixels 500 100 600 100 "$WHITE")
((title_pixels > 300)) || fail "the title \"Zarnith\" has $title_pixels white pixels"
end_case

begin_case "a hovered Button is lightened"
button_inside "5 Dimensions"
move_to "$PX" $((PY + 20))
await "\"5 Dimensions\" lightened under the pointer" 5 title_background_lightened "$PX" "$PY"
move_to 1500 200
await "\"5 Dimensions\" plain again" 5 title_background "$PX" "$PY"
end_case

begin_case "a click on \"2 Dimensions\" selects it and releases \"3 Dimensions\""
click_button "2 Dimensions"
button_inside "2 Dimensions"
await "\"2 Dimensions\" darkened" 5 title_background_darkened "$PX" "$PY"
button_inside "3 Dimensions"
await "\"3 Dimensions\" plain again" 5 title_background "$PX" "$PY"
end_case

begin_case "\"Play\" shows player 1's tint and the \"Back\" Button"
play_and_expect_game
button_rect "Back"
expect "left outline of \"Back\"" is_white "$BX" $((BY + BH / 2))
expect "top outline of \"Back\"" is_white $((BX + BW / 2)) "$BY"
expect "open corner of \"Back\"" colour_near "$BX" "$BY" $TINT_PLAYER1 0
end_case

begin_case "\"Back\" returns to the title screen with the settings kept"
click_button "Back"
await "the title background after \"Back\"" 10 title_background $FREE_X $FREE_Y
button_inside "2 Dimensions"
expect "\"2 Dimensions\" still selected" title_background_darkened "$PX" "$PY"
end_case

begin_case "Escape ends the program with status 0"
quit_game
end_case

begin_case "\"Quit\" ends the program with status 0"
launch_game "$GAME_DIR"
await "the dark title background" 10 title_background $FREE_X $FREE_Y
click_button "Quit"
expect_exit_status 0
end_case

begin_case "\"Quit\" still works after a game and \"Back\""
launch_game "$GAME_DIR"
play_and_expect_game
click_button "Back"
await "the title background after \"Back\"" 10 title_background $FREE_X $FREE_Y
click_button "Quit"
expect_exit_status 0
end_case
