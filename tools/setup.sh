#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that
# are missing. Safe to run again.
#
#   tools/setup.sh           what building and running the programs needs
#   tools/setup.sh --test    and what ./test.sh needs besides: clang with its
#                            libFuzzer and sanitizer runtimes for the fuzz
#                            targets, Google Benchmark, clang-format and git
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libc6-dev
          qt6-base-dev qt6-translations-l10n libgl-dev fonts-ipafont-gothic
          xvfb xauth)
if [ "${1:-}" = "--test" ]; then
  packages+=(clang libclang-rt-dev libbenchmark-dev clang-format git)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
