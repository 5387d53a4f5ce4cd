#!/usr/bin/env bash
# Plays the real game at random for a long while under a private X server, with
# the driver of the random-play test (tests/e2e/soak_e2e.sh): the game must stay
# alive, its memory on the title screen must stay flat after the warm-up, and
# SIGTERM must end it with status 0. Prints the seed, the games played and the
# memory figures.
# Usage: bash tools/soak.sh [minutes] [path/to/zarnith] [seed]
#   (default: 10 minutes; build/zarnith, built in release mode when missing; a random seed)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

minutes=${1:-10}
game=${2:-$ZARNITH_ROOT/build/zarnith}
seed=${3:-}
[[ $minutes =~ ^[1-9][0-9]*$ && $seed =~ ^[0-9]*$ ]] || {
  echo "usage: $0 [minutes] [path/to/zarnith] [seed]" >&2
  exit 2
}
ensure_game_and_test_packages "$game"
exec bash "$ZARNITH_ROOT/tests/e2e/soak_e2e.sh" "$game" $((minutes * 60)) ${seed:+"$seed"}
