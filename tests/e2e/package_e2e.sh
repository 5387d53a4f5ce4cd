#!/usr/bin/env bash
# The Debian package as a player gets it: tools/package.sh builds it (in its own
# build folder, so the game given as $1 is not used), lintian finds no error or
# warning, and unpacked into a scratch folder its desktop entry and AppStream
# data validate and the launcher named by the desktop entry shows the title
# screen with its text from any working folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
tree=$work/unpacked
trap 'kill $(jobs -p) 2>/dev/null || true; [[ -e $work/kept ]] || rm -rf "$work"' EXIT
fail() { touch "$work/kept" && echo "FAIL: $* (files kept in $work)" >&2 && exit 1; }

bash "$root/tools/package.sh" "$work" >"$work/package.log" 2>&1 || fail "tools/package.sh: $(tail -n 20 "$work/package.log")"
package=$(tail -n 1 "$work/package.log")
[[ $(dpkg-deb -f "$package" Section) == games ]] || fail "the package's section is not games"
depends=$(dpkg-deb -f "$package" Depends)
for library in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libstdc++6; do
  [[ ", $depends," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: $depends"
done
lintian --fail-on error,warning "$package" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
echo "ok: the package has its fields and lintian finds no error or warning"

dpkg-deb -x "$package" "$tree"
desktop=$tree/usr/share/applications/zarnith.desktop
# desktop-file-validate prints every error and warning, and nothing when clean.
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || true
[[ ! -s $work/desktop.log ]] || fail "desktop-file-validate: $(cat "$work/desktop.log")"
appstreamcli validate-tree --no-net "$tree" >"$work/appstream.log" 2>&1 || fail "appstreamcli: $(cat "$work/appstream.log")"
compgen -G "$tree/usr/share/icons/hicolor/*/apps/$(sed -n 's/^Icon=//p' "$desktop").*" >/dev/null ||
  fail "the desktop entry's icon is not installed"
echo "ok: the desktop entry and the AppStream data validate, the icon is there"

Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
for _ in {1..100}; do [[ ! -s $work/display ]] || break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(cat "$work/display")
export DISPLAY SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
# A session's PATH holds /usr/games, where Exec= finds the launcher.
(cd / && PATH=$tree/usr/games:$PATH exec $(sed -n 's/^Exec=//p' "$desktop")) >"$work/game.log" 2>&1 &
game=$!
timeout 30 xdotool search --sync --onlyvisible --name '^Zarnith$' >/dev/null || fail "no Zarnith window mapped"
# The title "Zarnith", white, is drawn in this box only when the font was found.
for ((i = 0, white = 0; i < 50 && white < 300; i++)); do
  import -window root "$work/screen.png"
  white=$(convert "$work/screen.png" -crop 600x100+500+100 -fill black +opaque white -format '%[fx:int(mean*w*h)]' info:)
done
((white >= 300)) || fail "only $white white pixels where the title goes (see screen.png)"
kill -TERM "$game"
wait "$game" || fail "SIGTERM ended the unpacked game with status $?: $(cat "$work/game.log")"
echo "ok: the desktop entry's Exec line starts the unpacked game on its title screen with text"
