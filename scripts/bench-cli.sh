#!/usr/bin/env bash
# Times zentavour-cli check and save per model against cat and cp of the same files.
# Usage: scripts/bench-cli.sh [RUNS]   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-20}"
cli="${BUILD_DIR:-build}/zentavour-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# save keeps the set's originals in the data folder: a scratch one, not the user's.
export XDG_DATA_HOME="$work/data"
"$cli" samples "$work/samples" >/dev/null
# Median wall time of a command in milliseconds.
median_ms() {
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}
startup=$(median_ms "$cli" models)
printf 'zentavour-cli start-up alone (models): %s ms\n\n' "$startup"
printf '| Model | check | save | cat of the files | cp of the files |\n|---|---|---|---|---|\n'
for entry in orvane:orvane orvane-mi:orvane-mi ossik:ossik orvane-salone:orvane-salone-II; do
  model="${entry%%:*}"
  dir="$work/samples/${entry##*:}"
  mkdir -p "$work/copy"
  check=$(median_ms "$cli" check --model "$model" --dir "$dir")
  save=$(median_ms "$cli" save --model "$model" --dir "$dir")
  cat_ms=$(median_ms sh -c "cat '$dir'/* > /dev/null")
  cp_ms=$(median_ms sh -c "cp '$dir'/* '$work/copy/' && sync -f '$work/copy'")
  printf '| %s | %s ms | %s ms | %s ms | %s ms |\n' "$model" "$check" "$save" "$cat_ms" "$cp_ms"
done
