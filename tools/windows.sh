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

build_cross_game windows "${1:-}"

say "Packing"
name=zarnith-$VERSION-windows-x86_64
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
zip_folder "$stage" "$name" "$OUT"
echo "$OUT/$name.zip"
