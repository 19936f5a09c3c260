#!/usr/bin/env bash
# Sets up, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DZENTAVOUR_BUILD_TESTS=ON -DZENTAVOUR_BUILD_BENCH=ON
build_dir="${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
