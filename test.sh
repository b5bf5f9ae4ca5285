#!/usr/bin/env bash
# Installs what is missing, builds Corvane with warnings as errors and runs
# the whole test suite, then runs the core tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"

tools/setup.sh
jobs=$(nproc)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
  -DCORVANE_SANITIZE=ON -DCORVANE_BUILD_UI=OFF
cmake --build build-sanitize -j "$jobs" --target corvane_core_tests
ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -L core
