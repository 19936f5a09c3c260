#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR="${BUILD_DIR:-build-sanitized}" BUILD_TYPE=Debug \
  scripts/build.sh -DZENTAVOUR_SANITIZE=ON -DZENTAVOUR_BUILD_TESTS=ON -DZENTAVOUR_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --test-dir "${BUILD_DIR:-build-sanitized}" --output-on-failure -j "$(nproc)"
