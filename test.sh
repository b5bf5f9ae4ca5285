#!/usr/bin/env bash
# Installs what is missing, builds Corvane and its benchmarks with warnings as
# errors and runs the whole test suite, runs each benchmark once briefly, runs
# every fuzz target for a short time, runs the whole test suite once more
# under AddressSanitizer and UndefinedBehaviorSanitizer, and checks the
# formatting of the C++ files last, so that a formatting fault is reported
# after all the tests ran.
#
# CORVANE_FORMAT_BASE=REV  check the formatting only of the C++ files changed
#                          since REV (every tracked C++ file when unset)
# CORVANE_FUZZ_SECONDS=N   seconds per fuzz target (20 when unset)
set -euo pipefail
cd "$(dirname "$0")"

step() { echo "=== $* ($((SECONDS / 60))m$((SECONDS % 60))s)"; }

step "Setup"
tools/setup.sh --test
jobs=$(nproc)

step "Build with warnings as errors"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
  -DCORVANE_BUILD_BENCH=ON
cmake --build build-test -j "$jobs"

step "Tests"
ctest --test-dir build-test --output-on-failure -j "$jobs"

# Only that they still run: the timings of a debug build mean nothing.
step "Benchmarks, one short run each"
for source in bench/*_bench.cpp; do
  build-test/bench/"$(basename "$source" .cpp)" --benchmark_min_time=0.001 >/dev/null
done

step "Fuzz targets"
tools/run_fuzzers.sh "${CORVANE_FUZZ_SECONDS:-20}"

step "Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
  -DCORVANE_SANITIZE=ON -DCORVANE_BUILD_UI=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

step "Format"
tools/check_format.sh ${CORVANE_FORMAT_BASE:+"$CORVANE_FORMAT_BASE"}
step "Done"
