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
  packages+=(clang libclang-rt-dev libbenchmark-dev clang-format git locales)
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

# Locales with a decimal comma and a Japanese one, for the tests that file
# numbers never follow the process locale.
if [ "${1:-}" = "--test" ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  generate=0
  for wanted in de_DE ja_JP; do
    if ! locale -a 2>/dev/null | grep -qix "${wanted}.utf8"; then
      "${sudo_cmd[@]}" sed -i "s/^# *\(${wanted}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
      generate=1
    fi
  done
  if [ "$generate" = 1 ]; then "${sudo_cmd[@]}" locale-gen >/dev/null; fi
fi
