#!/usr/bin/env bash
# Builds the Debian package zarnith_<version>_<arch>.deb: a release build of the
# game and zarnith_facts (everything but the tests and benchmarks) in
# build-package/, with Debian's hardening flags and layout for games, packed by
# CPack. Rebuilds only what changed since the last run. A package that lintian
# finds an error or a warning in, or whose desktop entry or AppStream data do
# not validate, is not handed out.
# Usage: bash tools/package.sh [folder]   (where the .deb goes, made when missing;
#        default: the repository)
# Prints the path of the package as its last line.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out=${1:-$ZARNITH_ROOT}
mkdir -p "$out"
out=$(cd "$out" && pwd)
build=$ZARNITH_ROOT/build-package
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

say "Configuring build-package/ (Release, no tests or benchmarks, installed under /usr)"
# Every hardening Debian offers, bind-now included; dpkg-buildflags maps the
# source folder to "." in the debug paths, seen from the current folder.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cd "$ZARNITH_ROOT"
configure_build build-package -DCMAKE_BUILD_TYPE=Release -DZARNITH_TESTS=OFF \
  -DZARNITH_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX=/usr -DZARNITH_GAMES_LAYOUT=ON \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
say "Building build-package/"
cmake --build "$build" -j "$JOBS"
say "Packing"
package=$(cd "$build" && cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[[ -f $package ]] || { echo "error: cpack named no package" >&2; exit 1; }
say "Checking the package"
lintian --fail-on error,warning "$package"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/zarnith.desktop"
appstreamcli validate-tree --no-net "$unpacked"
cp "$package" "$out/"
echo "$out/${package##*/}"
