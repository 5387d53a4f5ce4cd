#!/usr/bin/env bash
# Builds zarnith-<version>-windows-x86_64.zip: the game cross-built for 64-bit
# Windows with mingw-w64, in one folder with SDL2.dll, SDL2_ttf.dll (FreeType
# linked into it), the font, the licences and a README.txt.
# FreeType, SDL2 and SDL2_ttf are built from Debian's source packages once, into
# a cache outside the clone named after their versions; later runs rebuild only
# the game, in build-windows/.
# Usage: bash tools/windows.sh [folder]   (where the zip goes; default: the repository)
# Prints the path of the zip as its last line.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out=$(cd "${1:-$ZARNITH_ROOT}" && pwd)
toolchain=$ZARNITH_ROOT/cmake/mingw-w64-x86_64.cmake
ensure_packages cmake make "${WINDOWS_PACKAGES[@]}"

# The Debian version of the source that built binary package $1.
source_version() {
  apt-cache policy "$1" | sed -n 's/^ *Candidate: //p' | sed 's/+b[0-9]*$//'
}
freetype=$(source_version libfreetype-dev)
sdl2=$(source_version libsdl2-dev)
sdl2_ttf=$(source_version libsdl2-ttf-dev)
compiler=$(x86_64-w64-mingw32-gcc-win32 -dumpversion)
if [[ -z $freetype || -z $sdl2 || -z $sdl2_ttf ]]; then
  echo "error: apt offers no libfreetype-dev, libsdl2-dev or libsdl2-ttf-dev; run apt-get update" >&2
  exit 1
fi
libs=${XDG_CACHE_HOME:-$HOME/.cache}/zarnith-windows/freetype-${freetype}_sdl2-${sdl2}_sdl2-ttf-${sdl2_ttf}_mingw-${compiler}

# Builds source folder $1 with the mingw toolchain and installs it into the cache.
# The compilers' output of code that is not ours is shown only when the build fails.
build_library() {
  local source=$1 build=${1%/}-build
  shift
  if ! {
    cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$libs" -DCMAKE_FIND_ROOT_PATH="$libs" -DCMAKE_PREFIX_PATH="$libs" "$@" &&
      cmake --build "$build" -j "$JOBS" && cmake --install "$build"
  } >"$build.log" 2>&1; then
    tail -n 40 "$build.log" >&2
    return 1
  fi
}

# Fetches the three source packages with apt, through deb-src entries made from
# the machine's own apt sources and kept in a private apt folder, and builds them.
build_libraries() {
  local work
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/apt/sources" "$work/apt/lists/partial" "$work/src"
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f $file ]] && sed 's/^Types:.*/Types: deb-src/' "$file" >>"$work/apt/sources/deb-src.sources"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f $file ]] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$work/apt/sources/deb-src.list"
  done
  local apt=(-q -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/apt/sources"
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache")
  say "Fetching the sources of FreeType $freetype, SDL2 $sdl2 and SDL2_ttf $sdl2_ttf"
  apt-get "${apt[@]}" update >/dev/null
  (cd "$work/src" && apt-get "${apt[@]}" source "freetype=$freetype" "libsdl2=$sdl2" \
    "libsdl2-ttf=$sdl2_ttf" >/dev/null)

  rm -rf "$libs"
  mkdir -p "$libs/licenses"
  say "Building FreeType for Windows"
  build_library "$work"/src/freetype-*/ -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  say "Building SDL2 for Windows (some minutes)"
  build_library "$work"/src/libsdl2-[0-9]*/ -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
  say "Building SDL2_ttf for Windows"
  build_library "$work"/src/libsdl2-ttf-*/ -DBUILD_SHARED_LIBS=ON -DSDL2TTF_VENDORED=OFF \
    -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
  cp "$work"/src/freetype-*/LICENSE.TXT "$libs/licenses/FreeType.txt"
  cp "$work"/src/freetype-*/docs/FTL.TXT "$libs/licenses/FreeType-FTL.txt"
  cp "$work"/src/libsdl2-[0-9]*/LICENSE.txt "$libs/licenses/SDL2.txt"
  cp "$work"/src/libsdl2-ttf-*/LICENSE.txt "$libs/licenses/SDL2_ttf.txt"
  touch "$libs/complete"
  rm -rf "$work"
  trap - EXIT
}

# Clones that share the cache wait while one of them builds it.
mkdir -p "${libs%/*}"
exec {cache_lock}>"$libs.lock"
flock "$cache_lock"
[[ -f $libs/complete ]] || build_libraries
flock -u "$cache_lock"

say "Building build-windows/ (Release, the game alone)"
configure_build build-windows -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$libs" -DCMAKE_PREFIX_PATH="$libs" -DZARNITH_TESTS=OFF \
  -DZARNITH_BENCHMARKS=OFF >/dev/null
cmake --build "$ZARNITH_ROOT/build-windows" --target zarnith -j "$JOBS"

say "Packing"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$ZARNITH_ROOT/build-windows/CMakeCache.txt")
name=zarnith-$version-windows-x86_64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/$name
mkdir -p "$folder/licenses"
for binary in "$ZARNITH_ROOT/build-windows/zarnith.exe" "$libs/bin/SDL2.dll" "$libs/bin/SDL2_ttf.dll"; do
  x86_64-w64-mingw32-strip -o "$folder/${binary##*/}" "$binary"
done
cp "$ZARNITH_ROOT/assets/Text.ttf" "$folder/"
sed 's/$/\r/' "$ZARNITH_ROOT/packaging/README-windows.txt" >"$folder/README.txt"  # Windows line ends
cp "$ZARNITH_ROOT/LICENSE" "$folder/licenses/Zarnith.txt"
cp "$ZARNITH_ROOT/assets/Text.ttf.LICENSE" "$folder/licenses/Text.ttf.txt"
cp "$libs"/licenses/*.txt "$folder/licenses/"
rm -f "$out/$name.zip"
(cd "$stage" && zip -q -r -X "$out/$name.zip" "$name")
echo "$out/$name.zip"
