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

mkdir -p "${1:-$ZARNITH_ROOT}"
out=$(cd "${1:-$ZARNITH_ROOT}" && pwd)
ensure_packages cmake make "${WEB_PACKAGES[@]}"
cross_libraries web

say "Building build-web/ (Release, the game alone)"
cross_configure -S "$ZARNITH_ROOT" -B "$ZARNITH_ROOT/build-web" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$LIBS" -DCMAKE_PREFIX_PATH="$LIBS" -DZARNITH_TESTS=OFF \
  -DZARNITH_BENCHMARKS=OFF >/dev/null
cmake --build "$ZARNITH_ROOT/build-web" --target zarnith -j "$JOBS"

say "Packing"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$ZARNITH_ROOT/build-web/CMakeCache.txt")
name=zarnith-$version-web
rm -rf "${out:?}/$name"
# The game's build leaves in web/ the page and everything it loads.
cp -r "$ZARNITH_ROOT/build-web/web" "$out/$name"
copy_licenses "$out/$name"
zip_folder "$out" "$name" "$out"
echo "$out/$name"
