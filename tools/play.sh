#!/usr/bin/env bash
# Builds the game in release mode and starts it. Usage: bash tools/play.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Without any display SDL would quietly draw to an invisible offscreen window.
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "error: no display (DISPLAY and WAYLAND_DISPLAY are unset); run this from a desktop session" >&2
  exit 1
fi

ensure_packages "${BUILD_PACKAGES[@]}"

say "Configuring build/ (Release)"
configure_build build -DCMAKE_BUILD_TYPE=Release
say "Building the game"
cmake --build "$ZARNITH_ROOT/build" --target zarnith -j "$JOBS"

say "Starting Zarnith (Escape quits, F11 toggles fullscreen)"
# The game opens Text.ttf by relative name; the build put a copy beside it.
cd "$ZARNITH_ROOT/build"
exec ./zarnith
