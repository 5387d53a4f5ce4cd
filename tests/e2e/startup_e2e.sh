#!/usr/bin/env bash
# Start-up and shutdown of the real game when things go wrong: a missing, empty
# or corrupt font, a video or audio driver that does not exist, and SIGTERM.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# "Play" must still lead to player 1's turn, and Escape must end the game cleanly.
expect_playable_then_quit() {
  play_and_expect_game
  quit_game
}

start_xserver

begin_case "with the font beside it the title and labels have text"
launch_game "$(game_copy with-font with-font)"
expect_title_screen
text=$(text_pixels)
((text > 300)) || fail "only $text white text pixels with the font present"
quit_game
end_case

for font in missing empty; do
  begin_case "with Text.ttf $font it starts without text and stays playable"
  folder=$(game_copy "$font-font")
  [[ $font == empty ]] && : >"$folder/Text.ttf"
  launch_game "$folder"
  expect_title_screen
  text=$(text_pixels)
  ((text == 0)) || fail "$text white text pixels although the font is $font"
  expect_playable_then_quit
  end_case
done

begin_case "with a Text.ttf of garbage it starts and stays playable"
folder=$(game_copy garbage-font)
for i in {1..2000}; do printf 'not a TrueType font %d\n' "$i"; done >"$folder/Text.ttf"
launch_game "$folder"
expect_title_screen
expect_playable_then_quit
end_case

begin_case "with a truncated Text.ttf it starts and stays playable"
folder=$(game_copy truncated-font)
head -c 20000 "$GAME_DIR/Text.ttf" >"$folder/Text.ttf"
launch_game "$folder"
expect_title_screen
expect_playable_then_quit
end_case

begin_case "a video driver that does not exist is reported and ends the game with a failure"
start_game "$GAME_DIR" SDL_VIDEODRIVER=nosuch
wait_for_exit "$EXIT_TIMEOUT"
((GAME_STATUS != 0)) || fail "exit status 0 although no window could be made"
expect_output_line "Failed at SDL_CreateWindowAndRenderer()"
end_case

begin_case "with no display at all it runs unseen without failing and SIGTERM ends it"
# SDL then falls back to drawing off screen: nothing to see, nothing to crash.
start_game "$GAME_DIR" DISPLAY= SDL_VIDEODRIVER=
sleep 2
process_running "$GAME_PID" || fail "the game ended on its own: $(cat "$GAME_OUT")"
kill -TERM "$GAME_PID"
expect_exit_status 0
# Wayland's client library may complain on standard error; the game reports no failure.
! grep -q '^Failed at\|^Error: ' "$GAME_OUT" || fail "a start-up failure: $(cat "$GAME_OUT")"
end_case

begin_case "an audio driver that does not exist is reported and the game still plays"
launch_game "$GAME_DIR" SDL_AUDIODRIVER=nosuch
expect_title_screen
expect_output_line "Failed at SDL_Init()"
expect_playable_then_quit
end_case

begin_case "a normal start reports no failure"
launch_game "$GAME_DIR"
expect_title_screen
quit_game
[[ ! -s $GAME_OUT ]] || fail "unexpected output: $(cat "$GAME_OUT")"
end_case

begin_case "SIGTERM ends the game with status 0"
launch_game "$GAME_DIR"
expect_title_screen
kill -TERM "$GAME_PID"
expect_exit_status 0
end_case
