#!/usr/bin/env bash
# Measures how fast and how cheaply the real game puts frames on a screen: under
# a private 1600x900x24 X server, frames per second and the share of one core
# that the game (and, beside it, the X server) takes, on the title screen and in
# a 4D game turning about w. Each is measured with no SDL setting, with
# SDL_RENDER_DRIVER=software, and with that plus SDL_FRAMEBUFFER_ACCELERATION=0.
# Frames are counted by a small library preloaded into the game that wraps
# SDL_RenderPresent; it keeps its count in a shared file and prints nothing, so
# the game behaves and prints as always.
# Usage: bash tools/frame-rate.sh [path/to/zarnith] [seconds]
#   (default: build/zarnith, built in release mode when missing; 10 s per measurement)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

game=${1:-$ZARNITH_ROOT/build/zarnith}
seconds=${2:-10}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || {
  echo "usage: $0 [path/to/zarnith] [seconds]" >&2
  exit 2
}
ensure_game_and_test_packages "$game"
GAME=$(readlink -f "$game")

readonly SETTLE_SECONDS=3    # after reaching a scene, before counting
readonly WINDOW_TIMEOUT=30   # seconds for the game window to appear
readonly W_CLICK_PERIOD=1    # seconds between "W Rotation" clicks; one click turns for 1.4 s
FACTS=$("$(dirname "$GAME")/zarnith_facts")  # the game's Buttons and colours, from its own tables

# The centre of the Button labelled "$1", as "x y" in window pixels.
button_centre() {
  awk -v label="$1" '$1 == "button" { text = $6; for (i = 7; i <= NF; i++) text = text " " $i }
    $1 == "button" && text == label { print $2 + int($4 / 2), $3 + int($5 / 2) }' <<<"$FACTS"
}
# An awk condition over r, g and b that holds for the colour named "$1".
colour_is() {
  awk -v name="$1" '$1 == "colour" && $2 == name { printf "r == %d && g == %d && b == %d", $3, $4, $5 }' <<<"$FACTS"
}

FOUR_DIMENSIONS=$(button_centre "4 Dimensions") PLAY=$(button_centre "Play") W_ROTATION=$(button_centre "W Rotation")
readonly FOUR_DIMENSIONS PLAY W_ROTATION
# A point that only the background covers, and the background there: the title's
# colour cycles, so it is known as neither a turn colour nor black.
readonly FREE_X=50 FREE_Y=50
TITLE_BACKGROUND="!($(colour_is black)) && !($(colour_is turn1))" PLAYER1_TINT=$(colour_is turn1)
readonly TITLE_BACKGROUND PLAYER1_TINT
readonly VIEW_LEFT=1050 VIEW_TOP=300 VIEW_SIDE=200  # a square around the 4D view's centre
readonly SETTINGS=("" "SDL_RENDER_DRIVER=software"
  "SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0")

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zarnith-frame-rate.XXXXXX")
COUNTER=$WORK/presents  # 8 bytes: the frames presented so far
XVFB_PID="" GAME_PID="" CLICKER_PID=""

stop() {
  [[ -n $1 ]] || return 0
  kill -TERM "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  stop "$CLICKER_PID"
  stop "$GAME_PID"
  stop "$XVFB_PID"
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "error: $*" >&2
  exit 1
}

# The counting wrapper: the first call maps the counter file, every call adds one
# and hands on to SDL's own SDL_RenderPresent.
build_present_counter() {
  cat >"$WORK/present_counter.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static volatile uint64_t *presents;
static void (*sdl_render_present)(void *);

void SDL_RenderPresent(void *renderer) {
  if (!sdl_render_present) {
    sdl_render_present = (void (*)(void *))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    int fd = open(getenv("ZARNITH_PRESENT_COUNTER"), O_RDWR);
    presents = mmap(NULL, sizeof *presents, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
  }
  if (presents != MAP_FAILED) ++*presents;
  sdl_render_present(renderer);
}
C
  gcc -shared -fPIC -O2 -o "$WORK/present_counter.so" "$WORK/present_counter.c" -ldl
}

start_xserver() {
  Xvfb -displayfd 3 -screen 0 1600x900x24 -noreset -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  for _ in {1..200}; do
    [[ -s $WORK/display ]] && break
    sleep 0.05
  done
  [[ -s $WORK/display ]] || fail "Xvfb gave no display: $(cat "$WORK/xvfb.log")"
  DISPLAY=:$(head -n1 "$WORK/display")
  export DISPLAY
  unset WAYLAND_DISPLAY
}

# Starts the game with the settings in $1 (NAME=value words) and no other SDL
# renderer setting, and waits for its window; sets WIN_X and WIN_Y.
launch() {
  head -c 8 /dev/zero >"$COUNTER"
  # shellcheck disable=SC2086  # $1 is a list of settings
  (cd "$(dirname "$GAME")" && exec env -u SDL_RENDER_DRIVER -u SDL_FRAMEBUFFER_ACCELERATION \
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ZARNITH_PRESENT_COUNTER="$COUNTER" \
    LD_PRELOAD="$WORK/present_counter.so" $1 "$GAME") >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  local window="" deadline=$((SECONDS + WINDOW_TIMEOUT))
  until window=$(xdotool search --name '^Zarnith$' 2>/dev/null | head -n1) && [[ -n $window ]]; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared: $(cat "$WORK/game.out")"
    ((SECONDS < deadline)) || fail "no window titled Zarnith within $WINDOW_TIMEOUT s"
    sleep 0.1
  done
  local X Y
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^[XY]=')"
  WIN_X=$X WIN_Y=$Y
}

# A left click at window pixel ($1, $2). The game samples the pointer once a
# frame, so the pointer rests before the press and the press before the release.
click() {
  xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2))
  sleep 0.1
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.1
}

# Waits up to 10 s for window pixel (FREE_X, FREE_Y), which only the background
# covers, to satisfy the awk condition $2 over r, g and b; fails naming $1.
await_background() {
  local r g b
  for _ in {1..50}; do
    read -r r g b < <(import -window root -crop "1x1+$((WIN_X + FREE_X))+$((WIN_Y + FREE_Y))" \
      -depth 8 rgb:- | od -An -tu1)
    awk -v r="$r" -v g="$g" -v b="$b" "BEGIN { exit !($2) }" && return 0
    sleep 0.2
  done
  fail "no $1 on the screen (background pixel: $r $g $b)"
}

# Puts the game into scene $1: the title screen as it starts, or a 4D game that
# a click on "W Rotation" every W_CLICK_PERIOD keeps turning about w.
enter_scene() {
  await_background "title screen" "$TITLE_BACKGROUND"
  [[ $1 == title ]] && return 0
  # shellcheck disable=SC2086  # the centres are "x y" pairs
  click $FOUR_DIMENSIONS
  # shellcheck disable=SC2086
  click $PLAY
  await_background "game screen of player 1" "$PLAYER1_TINT"
  (while true; do
    # shellcheck disable=SC2086
    click $W_ROTATION
    sleep $W_CLICK_PERIOD
  done) &
  CLICKER_PID=$!
  sleep 0.5
  [[ $(view_digest) != "$(sleep 0.2 && view_digest)" ]] || fail "the 4D view does not turn"
}

# A digest of the square around the 4D view's centre: it changes while the view turns.
view_digest() {
  import -window root -crop "${VIEW_SIDE}x$VIEW_SIDE+$((WIN_X + VIEW_LEFT))+$((WIN_Y + VIEW_TOP))" \
    -depth 8 rgb:- | md5sum
}

# Clock ticks of CPU time, user and system, that process $1 has used.
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat")
  stat=${stat##*) }
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}

presents() {
  od -An -tu8 -N8 "$COUNTER" | tr -d ' '
}

# Sets RESULT to "frames/s game% xvfb%" for scene $1 with settings $2.
measure() {
  launch "$2"
  enter_scene "$1"
  sleep "$SETTLE_SECONDS"
  local f0 g0 x0 t0 f1 g1 x1 t1
  f0=$(presents) g0=$(cpu_ticks "$GAME_PID") x0=$(cpu_ticks "$XVFB_PID") t0=$EPOCHREALTIME
  sleep "$seconds"
  f1=$(presents) g1=$(cpu_ticks "$GAME_PID") x1=$(cpu_ticks "$XVFB_PID") t1=$EPOCHREALTIME
  stop "$CLICKER_PID"
  CLICKER_PID=""
  stop "$GAME_PID"
  GAME_PID=""
  [[ ! -s $WORK/game.out ]] || echo "note: the game printed: $(head -c 300 "$WORK/game.out")" >&2
  RESULT=$(awk -v f="$((f1 - f0))" -v g="$((g1 - g0))" -v x="$((x1 - x0))" -v t0="$t0" -v t1="$t1" \
    -v hz="$(getconf CLK_TCK)" 'BEGIN {
      t = t1 - t0
      printf "%.0f %.0f %.0f", f / t, 100 * g / hz / t, 100 * x / hz / t
    }')
}

build_present_counter
start_xserver
echo "$(date -u '+%F %T') UTC; $GAME; ${seconds} s per measurement; load:$(uptime | sed 's/.*load average://')"
printf '| %-56s | %-32s | %-32s |\n' "settings" "title screen" "4D game turning about w"
printf '|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..58})" "$(printf -- '-%.0s' {1..34})" "$(printf -- '-%.0s' {1..34})"
for setting in "${SETTINGS[@]}"; do
  cells=()
  for scene in title turning-4d; do
    measure "$scene" "$setting"
    read -r fps game_share xvfb_share <<<"$RESULT"
    cells+=("$fps frames/s, $game_share % (Xvfb $xvfb_share %)")
  done
  printf '| %-56s | %-32s | %-32s |\n' "${setting:-no SDL setting}" "${cells[0]}" "${cells[1]}"
done
echo "load after:$(uptime | sed 's/.*load average://')"
