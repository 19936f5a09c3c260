#!/usr/bin/env bash
# Builds the libFuzzer harnesses with Clang and runs each on its seed corpus for SECONDS seconds
# (default 12). New inputs go to a scratch folder; the corpus in the repository stays as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"
CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTAVOUR_FUZZ=ON \
  -DZENTAVOUR_BUILD_GUI=OFF -DZENTAVOUR_BUILD_TESTS=OFF -DZENTAVOUR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
seconds="${SECONDS_PER_HARNESS:-12}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for corpus in fuzz/corpus/*/; do
  name="$(basename "$corpus")"
  mkdir -p "$scratch/$name"
  echo "== ${name}_fuzz for ${seconds}s"
  "$build_dir/${name}_fuzz" -max_total_time="$seconds" -artifact_prefix="$scratch/" \
    "$scratch/$name" "$corpus" 2>&1 | grep -E "^(Done|==|SUMMARY)|ERROR" || true
  if ls "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* >/dev/null 2>&1; then
    echo "${name}_fuzz found a failing input" >&2
    exit 1
  fi
done
