#!/usr/bin/env bash
# The installed game: "cmake --install" of the build folder that holds the game,
# into a scratch prefix; its layout, its desktop entry and its launcher.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

BUILD=$GAME_DIR
PREFIX=$WORK/prefix
[[ -f $BUILD/CMakeCache.txt ]] || fail "$BUILD, the game's folder, is not a CMake build folder"

begin_case "cmake --install puts every file in its place"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$WORK/install.log")"
for file in bin/zarnith libexec/zarnith/zarnith; do
  [[ -x $PREFIX/$file ]] || fail "$file is missing or not executable"
done
for file in share/zarnith/Text.ttf share/zarnith/Text.ttf.LICENSE \
  share/applications/zarnith.desktop share/icons/hicolor/scalable/apps/zarnith.svg \
  share/icons/hicolor/128x128/apps/zarnith.png; do
  [[ -s $PREFIX/$file ]] || fail "$file is missing or empty"
done
cmp -s "$GAME_DIR/Text.ttf" "$PREFIX/share/zarnith/Text.ttf" || fail "the installed font differs from the build's"
end_case

begin_case "the desktop entry is valid and names the launcher and the icon"
desktop=$PREFIX/share/applications/zarnith.desktop
desktop-file-validate "$desktop" >"$WORK/validate.log" 2>&1 ||
  fail "desktop-file-validate: $(cat "$WORK/validate.log")"
[[ ! -s $WORK/validate.log ]] || fail "desktop-file-validate warns: $(cat "$WORK/validate.log")"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
icon_line=$(sed -n 's/^Icon=//p' "$desktop")
[[ -x $PREFIX/bin/${exec_line%% *} ]] || fail "Exec=$exec_line is not the installed launcher"
[[ -f $PREFIX/share/icons/hicolor/scalable/apps/$icon_line.svg ]] || fail "Icon=$icon_line is not installed"
end_case

begin_case "the icon is a 128x128 picture"
size=$(identify -format '%wx%h' "$PREFIX/share/icons/hicolor/128x128/apps/zarnith.png")
[[ $size == 128x128 ]] || fail "the PNG icon is $size"
size=$(convert -background none "$PREFIX/share/icons/hicolor/scalable/apps/zarnith.svg" -format '%wx%h' info:)
[[ $size == 128x128 ]] || fail "the SVG icon renders at $size"
end_case

start_xserver

begin_case "the launcher starts the game from any folder with its font"
start_program "$WORK" "$PREFIX/bin/zarnith"
wait_for_window
expect_title_screen
text=$(text_pixels)
((text > 300)) || fail "only $text white text pixels: the installed game did not find its font"
quit_game
end_case

begin_case "the launcher still works after the installed tree is moved"
mv "$PREFIX" "$WORK/moved"
start_program / "$WORK/moved/bin/zarnith"
wait_for_window
expect_title_screen
text=$(text_pixels)
((text > 300)) || fail "only $text white text pixels after moving the installed tree"
quit_game
end_case
