#!/usr/bin/env bash
# Installs what is missing, builds Corvane and starts the desktop program with
# the sample map of examples/ open in the map edit window. Without a display
# (no DISPLAY and no WAYLAND_DISPLAY) it runs on a virtual X server through
# xvfb-run. Arguments replace the map: ./run.sh other.kvm
set -euo pipefail
cd "$(dirname "$0")"

tools/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF
cmake --build build-release

map=${1:-examples/sample_line.kvm}
program=(./build-release/programs/corvane/corvane "--map=$map")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Corvane on a virtual X server (xvfb-run -a)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "${program[@]}"
fi
exec "${program[@]}"
