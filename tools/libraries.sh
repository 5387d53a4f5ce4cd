# shellcheck shell=bash
# The libraries that the cross-built games link: FreeType, HarfBuzz, SDL2 and
# SDL2_ttf, built from the Debian 12 source packages of the versions apt offers
# for the Linux build, so that every platform draws text the same way. Each
# platform's set is built once, into a cache outside the clone named after the
# versions and the compiler, and reused by later runs and by other clones.
# Sourced by windows.sh and web.sh after common.sh; `cross_libraries PLATFORM`
# (windows or web) sets LIBS to the prefix that holds the libraries, with their
# licences in licenses/.

# The Debian version of the source that built binary package $1.
source_version() {
  apt-cache policy "$1" | sed -n 's/^ *Candidate: //p' | sed 's/+b[0-9]*$//'
}

# Runs CMake's configure step for the platform being built, with the options
# that follow.
cross_configure() {
  case $LIBRARY_PLATFORM in
    windows) cmake -DCMAKE_TOOLCHAIN_FILE="$ZARNITH_ROOT/cmake/mingw-w64-x86_64.cmake" "$@" ;;
    web) emcmake cmake "$@" ;;
  esac
}

# A configure step runs one compiler check after another, and under Emscripten
# each check starts emcc and Node.js: SDL2's 158 checks take minutes of one core.
# Their results depend only on the library's and the compiler's versions, so a
# file in tools/checks/ named after both keeps them, written by a configure that
# ran every check; a build of those versions starts from it. ZARNITH_RECHECK=1
# runs every check again and rewrites the file.
checks_file() {
  echo "$ZARNITH_ROOT/tools/checks/${1}_$COMPILER.cmake"
}

# Prints the results of the compiler checks in CMake cache $1 (the entries that
# CMake's Check* modules describe as "Have ..." or "Test ...") as a cache script.
check_results() {
  echo "# Results of a configure's compiler checks; tools/libraries.sh with ZARNITH_RECHECK=1 writes them anew."
  awk '/^\/\/(Have|Test) / { check = 1; next }
    check && /:INTERNAL=/ {
      name = substr($0, 1, index($0, ":") - 1)
      printf "set(%s \"%s\" CACHE INTERNAL \"\")\n", name, substr($0, index($0, "=") + 1)
    }
    { check = 0 }' "$1"
}

# Builds source folder $1 for the platform being built and installs it into the
# cache. The compilers' output of code that is not ours is shown only when the
# build fails; each step's time goes to the log of the libraries.
build_library() {
  local source=${1%/} build=${1%/}-build
  shift
  local name=${source##*/} checks=()
  local known=$(checks_file "$name")
  [[ -f $known && -z ${ZARNITH_RECHECK:-} ]] && checks=(-C "$known")
  local start=$SECONDS configured
  if ! {
    cross_configure "${checks[@]}" -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$LIBS" -DCMAKE_FIND_ROOT_PATH="$LIBS" -DCMAKE_PREFIX_PATH="$LIBS" "$@" &&
      configured=$SECONDS && cmake --build "$build" -j "$JOBS" && cmake --install "$build"
  } >"$build.log" 2>&1; then
    tail -n 40 "$build.log" >&2
    return 1
  fi
  printf '%s: configure %d s, build %d s\n' "$name" $((configured - start)) \
    $((SECONDS - configured)) >>"$LIBS/build-times.txt"
  if [[ -n ${ZARNITH_RECHECK:-} ]]; then
    mkdir -p "${known%/*}"
    check_results "$build/CMakeCache.txt" >"$known"
  fi
}

# What each library is built with: only what the game uses. FreeType reads
# TrueType without compressed or colour fonts and without HarfBuzz (HarfBuzz
# builds on it); HarfBuzz shapes with its own tables, without ICU, GLib or the
# subsetter; SDL2 keeps every subsystem, because the game asks SDL_Init for all
# of them, but none of the drivers that only a test or another program chooses.
FREETYPE_OPTIONS=(-DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)
HARFBUZZ_OPTIONS=(-DBUILD_SHARED_LIBS=OFF -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF
  -DHB_BUILD_UTILS=OFF -DHB_HAVE_GLIB=OFF -DHB_HAVE_ICU=OFF -DHB_HAVE_GOBJECT=OFF
  -DCMAKE_DISABLE_FIND_PACKAGE_Threads=ON)
SDL2_OPTIONS=(-DSDL_TEST=OFF -DSDL_DISKAUDIO=OFF -DSDL_DUMMYAUDIO=OFF -DSDL_DUMMYVIDEO=OFF
  -DSDL_OFFSCREEN=OFF -DSDL_HIDAPI=OFF -DSDL_VULKAN=OFF -DSDL_CCACHE=OFF)
SDL2_TTF_OPTIONS=(-DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF)

# Fetches the four source packages with apt, through deb-src entries made from
# the machine's own apt sources and kept in a private apt folder, and builds
# them in order: each finds the ones before it in the cache.
build_libraries() {
  local work
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  chmod 755 "$work"  # apt's downloads run as the _apt user
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
  say "Fetching the sources of FreeType $freetype, HarfBuzz $harfbuzz, SDL2 $sdl2 and SDL2_ttf $sdl2_ttf"
  apt-get "${apt[@]}" update >/dev/null
  (cd "$work/src" && apt-get "${apt[@]}" source "freetype=$freetype" "harfbuzz=$harfbuzz" \
    "libsdl2=$sdl2" "libsdl2-ttf=$sdl2_ttf" >/dev/null 2>&1)

  rm -rf "$LIBS"
  mkdir -p "$LIBS/licenses"
  say "Building FreeType for $LIBRARY_PLATFORM"
  build_library "$work"/src/freetype-*/ "${FREETYPE_OPTIONS[@]}"
  # HarfBuzz is one C++ file and SDL2's configure one check after another, so
  # each keeps one core busy while the other runs beside it.
  say "Building HarfBuzz and SDL2 for $LIBRARY_PLATFORM (some minutes)"
  build_library "$work"/src/harfbuzz-*/ "${HARFBUZZ_OPTIONS[@]}" &
  local harfbuzz_build=$!
  build_library "$work"/src/libsdl2-[0-9]*/ "${SDL2_OPTIONS[@]}" "${PLATFORM_SDL2_OPTIONS[@]}"
  wait "$harfbuzz_build"
  say "Building SDL2_ttf for $LIBRARY_PLATFORM"
  build_library "$work"/src/libsdl2-ttf-*/ "${SDL2_TTF_OPTIONS[@]}" "${PLATFORM_SDL2_TTF_OPTIONS[@]}"
  cp "$work"/src/freetype-*/LICENSE.TXT "$LIBS/licenses/FreeType.txt"
  cp "$work"/src/freetype-*/docs/FTL.TXT "$LIBS/licenses/FreeType-FTL.txt"
  cp "$work"/src/harfbuzz-*/COPYING "$LIBS/licenses/HarfBuzz.txt"
  cp "$work"/src/libsdl2-[0-9]*/LICENSE.txt "$LIBS/licenses/SDL2.txt"
  cp "$work"/src/libsdl2-ttf-*/LICENSE.txt "$LIBS/licenses/SDL2_ttf.txt"
  touch "$LIBS/complete"
  rm -rf "$work"
  trap - EXIT
}

# Sets LIBS to the prefix of the libraries for platform $1 (windows or web),
# installing the packages the platform's build needs and building the libraries
# first when the cache lacks them. Clones that share the cache
# wait while one of them builds it.
cross_libraries() {
  LIBRARY_PLATFORM=$1
  case $LIBRARY_PLATFORM in
    windows)
      ensure_packages cmake make "${WINDOWS_PACKAGES[@]}"
      COMPILER=mingw-$(x86_64-w64-mingw32-gcc-win32 -dumpversion)
      # One DLL each, as SDL's own Windows releases ship them; SDL2_ttf.dll
      # holds FreeType, HarfBuzz and the C++ runtime HarfBuzz needs.
      PLATFORM_SDL2_OPTIONS=(-DSDL_SHARED=ON -DSDL_STATIC=OFF)
      PLATFORM_SDL2_TTF_OPTIONS=(-DBUILD_SHARED_LIBS=ON
        "-DCMAKE_SHARED_LINKER_FLAGS=-static-libgcc -static-libstdc++")
      ;;
    web)
      ensure_packages cmake make "${WEB_PACKAGES[@]}"
      # Debian's python3 and Node.js modules, whatever else is first on PATH: a
      # python3 shim costs every emcc run a second, and a Node.js that is not
      # Debian's misses the acorn module emcc's optimiser needs.
      [[ -x /usr/bin/python3 ]] && export EMSDK_PYTHON=/usr/bin/python3
      export NODE_PATH=/usr/share/nodejs
      COMPILER=emscripten-$(emcc -dumpversion)
      # The browser loads one WebAssembly module, so everything links statically.
      PLATFORM_SDL2_OPTIONS=(-DSDL_SHARED=OFF -DSDL_STATIC=ON)
      PLATFORM_SDL2_TTF_OPTIONS=(-DBUILD_SHARED_LIBS=OFF)
      ;;
  esac
  freetype=$(source_version libfreetype-dev)
  harfbuzz=$(source_version libharfbuzz-dev)
  sdl2=$(source_version libsdl2-dev)
  sdl2_ttf=$(source_version libsdl2-ttf-dev)
  if [[ -z $freetype || -z $harfbuzz || -z $sdl2 || -z $sdl2_ttf ]]; then
    echo "error: apt offers no libfreetype-dev, libharfbuzz-dev, libsdl2-dev or libsdl2-ttf-dev; run apt-get update" >&2
    return 1
  fi
  LIBS=${XDG_CACHE_HOME:-$HOME/.cache}/zarnith-$LIBRARY_PLATFORM/freetype-${freetype}_harfbuzz-${harfbuzz}_sdl2-${sdl2}_sdl2-ttf-${sdl2_ttf}_$COMPILER

  mkdir -p "${LIBS%/*}"
  local cache_lock
  exec {cache_lock}>"$LIBS.lock"
  flock "$cache_lock"
  # Not `|| build_libraries`, which would run it with set -e off.
  if [[ ! -f $LIBS/complete ]]; then
    build_libraries
  fi
  exec {cache_lock}>&-
}

# Builds the game alone for platform $1 (windows or web) in build-$1/, Release,
# with the libraries of the cache. Sets OUT to the absolute path of folder $2
# (made when missing; by default the repository) and VERSION to the game's.
build_cross_game() {
  mkdir -p "${2:-$ZARNITH_ROOT}"
  OUT=$(cd "${2:-$ZARNITH_ROOT}" && pwd)
  cross_libraries "$1"
  local build=$ZARNITH_ROOT/build-$1
  say "Building build-$1/ (Release, the game alone)"
  cross_configure -S "$ZARNITH_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_ROOT_PATH="$LIBS" -DCMAKE_PREFIX_PATH="$LIBS" -DZARNITH_TESTS=OFF \
    -DZARNITH_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" --target zarnith -j "$JOBS"
  VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
}

# Copies the licences of the game, its font and the libraries in LIBS into
# folder $1/licenses/.
copy_licenses() {
  mkdir -p "$1/licenses"
  cp "$ZARNITH_ROOT/LICENSE" "$1/licenses/Zarnith.txt"
  cp "$ZARNITH_ROOT/assets/Text.ttf.LICENSE" "$1/licenses/Text.ttf.txt"
  cp "$LIBS"/licenses/*.txt "$1/licenses/"
}

# Zips folder $1/$2 into $3/$2.zip, replacing an older zip of that name.
zip_folder() {
  rm -f "$3/$2.zip"
  (cd "$1" && zip -q -r -X "$3/$2.zip" "$2")
}
