#!/usr/bin/env bash
# Builds the Debian package from a clean Release build in build-package/ (or $PACKAGE_BUILD_DIR)
# and prints the package's path on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
# help2man writes zentavour-cli's manual page; CPack runs dpkg-shlibdeps and needs file for it.
scripts/setup.sh help2man file dpkg-dev >&2
build_dir="${PACKAGE_BUILD_DIR:-build-package}"
rm -rf "$build_dir"
# Dates inside the package (changelog, manual pages, metadata) are the last commit's.
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || date +%s)"
export SOURCE_DATE_EPOCH
# Debian's own compiler and linker flags (hardening); no -g, the programs are stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZENTAVOUR_BUILD_TESTS=OFF -DZENTAVOUR_BUILD_BENCH=OFF >&2
cmake --build "$build_dir" -j "$(nproc)" >&2
(cd "$build_dir" && cpack -G DEB >&2)
ls "$PWD/$build_dir"/zentavour_*.deb
