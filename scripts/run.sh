#!/usr/bin/env bash
# Sets up, builds and starts Zentavour. The first run also writes sample files into samples/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DZENTAVOUR_BUILD_TESTS=OFF -DZENTAVOUR_BUILD_BENCH=OFF
build_dir="${BUILD_DIR:-build}"
if [ ! -d samples ]; then
  "$build_dir/zentavour-cli" samples samples
fi
exec "$build_dir/zentavour" "$@"
