#!/usr/bin/env bash
# Builds every libFuzzer target (one per fuzz/*_fuzz.cpp) with clang in
# build-fuzz and runs each for a short, fixed time, seeded from the sample
# maps in examples/ and, when there is one, fuzz/seeds/TARGET/. Fails on the
# first target that finds a crash, a leak, a sanitizer report or a hang.
#
#   tools/run_fuzzers.sh [SECONDS]     seconds per target, 20 unless given
#
# The seeds are copied into a scratch folder, so examples/ is never written
# to. A failing input is kept in build-fuzz/fuzz-artifacts/ and the whole
# fuzzer output in build-fuzz/fuzz-logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
build=build-fuzz
jobs=$(nproc)

targets=()
for source in fuzz/*_fuzz.cpp; do
  [ -e "$source" ] || continue
  targets+=("$(basename "$source" .cpp)")
done
if ((${#targets[@]} == 0)); then
  echo "run_fuzzers: no fuzz/*_fuzz.cpp found" >&2
  exit 1
fi

# -O1 keeps the runs fast enough to matter; assertions stay on.
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= \
  -DCMAKE_CXX_FLAGS="-O1 -g" -DCORVANE_WERROR=ON -DCORVANE_BUILD_FUZZ=ON \
  -DCORVANE_BUILD_UI=OFF -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"

for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  mkdir -p "$corpus"
  cp examples/*.kvm examples/*.kvb "$corpus/"
  # A target whose input is not a whole file has seeds of its own.
  if [ -d "fuzz/seeds/$target" ]; then cp "fuzz/seeds/$target"/* "$corpus/"; fi
  log="$build/fuzz-logs/$target.log"
  echo "Fuzzing $target for ${seconds}s"
  # A single input running longer than -timeout counts as a hang.
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=25 \
      -artifact_prefix="$build/fuzz-artifacts/$target-" "$corpus" >"$log" 2>&1; then
    tail -n 100 "$log" >&2
    echo "run_fuzzers: $target failed; input in $build/fuzz-artifacts/, output in $log" >&2
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log"
done
