#!/usr/bin/env bash
# Builds zarnith-<version>-windows-x86_64.zip: the game cross-built for 64-bit
# Windows with mingw-w64, in one folder with SDL2.dll, SDL2_ttf.dll (FreeType
# and HarfBuzz linked into it), the font, the licences and a README.txt.
# The libraries are built once into a cache (see libraries.sh); later runs
# rebuild only what changed of the game, in build-windows/.
# Usage: bash tools/windows.sh [folder]   (where the zip goes, made if missing;
# default: the repository)
# Prints the path of the zip as its last line.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ZARNITH_ROOT/tools/libraries.sh"

mkdir -p "${1:-$ZARNITH_ROOT}"
out=$(cd "${1:-$ZARNITH_ROOT}" && pwd)
ensure_packages cmake make "${WINDOWS_PACKAGES[@]}"
cross_libraries windows

say "Building build-windows/ (Release, the game alone)"
cross_configure -S "$ZARNITH_ROOT" -B "$ZARNITH_ROOT/build-windows" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$LIBS" -DCMAKE_PREFIX_PATH="$LIBS" -DZARNITH_TESTS=OFF \
  -DZARNITH_BENCHMARKS=OFF >/dev/null
cmake --build "$ZARNITH_ROOT/build-windows" --target zarnith -j "$JOBS"

say "Packing"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$ZARNITH_ROOT/build-windows/CMakeCache.txt")
name=zarnith-$version-windows-x86_64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/$name
mkdir -p "$folder"
for binary in "$ZARNITH_ROOT/build-windows/zarnith.exe" "$LIBS/bin/SDL2.dll" "$LIBS/bin/SDL2_ttf.dll"; do
  x86_64-w64-mingw32-strip -o "$folder/${binary##*/}" "$binary"
done
cp "$ZARNITH_ROOT/assets/Text.ttf" "$folder/"
sed 's/$/\r/' "$ZARNITH_ROOT/packaging/README-windows.txt" >"$folder/README.txt"  # Windows line ends
copy_licenses "$folder"
zip_folder "$stage" "$name" "$out"
echo "$out/$name.zip"
