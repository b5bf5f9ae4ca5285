#!/usr/bin/env bash
# Installs what is missing, builds Corvane and runs its main job: the
# headless tool on the sample map of examples/.
set -euo pipefail
cd "$(dirname "$0")"

tools/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF
cmake --build build-release

map=${1:-examples/sample_line.kvm}
./build-release/programs/corvane-cli/corvane-cli map info "$map"
