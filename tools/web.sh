#!/usr/bin/env bash
# Builds zarnith-<version>-web/: the game compiled to WebAssembly with Debian's
# Emscripten, the page that loads it, and the licences; any static file server
# serves the folder as it is. zarnith-<version>-web.zip of it goes beside it.
# FreeType, HarfBuzz, SDL2 and SDL2_ttf are built once into a cache (see
# libraries.sh); later runs rebuild only what changed of the game, in build-web/.
# Usage: bash tools/web.sh [folder]   (where both go; default: the repository)
# Prints the path of the folder as its last line.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ZARNITH_ROOT/tools/libraries.sh"

build_cross_game web "${1:-}"

say "Packing"
name=zarnith-$VERSION-web
rm -rf "${OUT:?}/$name"
# The game's build leaves in web/ the page and everything it loads.
cp -r "$ZARNITH_ROOT/build-web/web" "$OUT/$name"
copy_licenses "$OUT/$name"
zip_folder "$OUT" "$name" "$OUT"
echo "$OUT/$name"
