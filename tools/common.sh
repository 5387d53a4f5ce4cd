# shellcheck shell=bash
# Set-up shared by play.sh, test.sh, windows.sh and web.sh, and by the Python tools through
# xgame.ensure_game: the Debian packages the build needs and the CMake build
# folders. Sourced, never run on its own.

ZARNITH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
# ccache, where installed, serves every clone of the repository from one cache:
# paths inside the clone are hashed relative to it, and the build folder not at all.
export CCACHE_BASEDIR=$ZARNITH_ROOT CCACHE_NOHASHDIR=1

# What building the game, its unit tests and its benchmarks needs.
BUILD_PACKAGES=(g++ make cmake ccache libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libgtest-dev
  libbenchmark-dev)
# What the end-to-end tests and tools/xgame.py drive the real game and check the
# package with: openbox and fluxbox are the window managers of the screen-size
# tests (fluxbox reports a window's frame late, and has a toolbar); the soak
# tool trims the game's heap through gdb before it reads the memory figures;
# clang-format checks that every C++ file is formatted; wine64 runs the Windows build;
# chromium, its WebDriver and Selenium for Debian's Python drive the browser build.
TEST_PACKAGES=(python3 xvfb openbox fluxbox xdotool imagemagick x11-utils gdb clang-format wine64
  chromium chromium-driver python3-selenium)
# What packing the Debian package needs besides the build: dpkg-buildflags and
# dpkg-shlibdeps, file, with which CPack finds the executables to scan, and the
# checkers of the package, its desktop entry and its AppStream data.
PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream)
# What tools/windows.sh needs besides cmake and make: the cross-compiler,
# dpkg-source and xz to unpack Debian's source packages, convert for the icon
# and zip.
WINDOWS_PACKAGES=(mingw-w64 dpkg-dev xz-utils imagemagick zip)
# What tools/web.sh needs besides cmake and make: Emscripten (with its LLVM,
# Binaryen and Node.js), dpkg-source and xz to unpack Debian's source packages,
# zip, and fonttools for Debian's Python, which cuts the page's font to ASCII.
WEB_PACKAGES=(emscripten dpkg-dev xz-utils zip python3-fonttools)

say() { printf '\n==> %s\n' "$*"; }

# Prints the packages of "$@" that dpkg does not list as installed.
missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      echo "$package"
  done
}

# Installs whatever of "$@" is missing, as root or through sudo. When nothing is
# missing it does nothing at all, not even an apt-get update.
ensure_packages() {
  if ! command -v dpkg-query >/dev/null; then
    echo "error: these scripts install their tools with apt on Debian 12; install by hand: $*" >&2
    return 1
  fi
  local missing
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]} == 0)) && return 0

  local as_root=()
  if ((EUID != 0)); then
    if ! command -v sudo >/dev/null; then
      echo "error: missing packages (${missing[*]}) and neither root nor sudo to install them" >&2
      return 1
    fi
    as_root=(sudo)
  fi
  say "Installing ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures build folder $1 (relative to the repository) with the CMake options
# that follow. Reconfiguring an existing folder keeps its cache, so a second run
# only rebuilds what changed.
configure_build() {
  local folder=$1
  shift
  cmake -S "$ZARNITH_ROOT" -B "$ZARNITH_ROOT/$folder" "$@"
}

# For the scripts that drive a game given by path: builds the release game and
# its zarnith_facts in build/ when $1 is not an executable yet, and installs the
# test packages.
ensure_game_and_test_packages() {
  if [[ ! -x $1 ]]; then
    ensure_packages "${BUILD_PACKAGES[@]}"
    configure_build build -DCMAKE_BUILD_TYPE=Release
    cmake --build "$ZARNITH_ROOT/build" --target zarnith zarnith_facts -j "$JOBS"
  fi
  ensure_packages "${TEST_PACKAGES[@]}"
}
