#!/usr/bin/env bash
# Cross-compiles the core and its tests for 64-bit Windows with MinGW-w64 and runs every core
# test under Wine. Installs the cross compiler, Wine and GoogleTest's sources when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

build_dir="${BUILD_DIR:-build-win}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DZENTAVOUR_BUILD_GUI=OFF \
  -DZENTAVOUR_BUILD_BENCH=OFF -DZENTAVOUR_GTEST_SOURCE=/usr/src/googletest >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

# A Wine of its own in the build folder, quiet, without the Mono and Gecko install prompts. The
# first program started makes the prefix.
export WINEPREFIX="$PWD/$build_dir/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1
# Verbose, so that the log lists every test that ran, passed or was skipped.
ctest --test-dir "$build_dir" --output-on-failure -V
