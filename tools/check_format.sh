#!/usr/bin/env bash
# Checks that the C++ files (*.cpp, *.h) follow .clang-format; changes
# nothing. Lists the files that do not and fails.
#
#   tools/check_format.sh         every tracked C++ file
#   tools/check_format.sh REV     only the C++ files changed since REV
#                                 (committed or not, as git diff REV sees them)
#
# To format a file: clang-format -i FILE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# A checkout owned by another user (a mounted folder in a container) is
# still this project's.
git=(git -c safe.directory="$root")

files=()
if (($# > 0)); then
  if ! "${git[@]}" rev-parse --verify --quiet "$1^{commit}" >/dev/null; then
    echo "check_format: $1 is not a revision" >&2
    exit 2
  fi
  while IFS= read -r -d '' file; do files+=("$file"); done \
    < <("${git[@]}" diff -z --name-only --diff-filter=d "$1" -- '*.cpp' '*.h')
  what="C++ files changed since $1"
else
  while IFS= read -r -d '' file; do files+=("$file"); done \
    < <("${git[@]}" ls-files -z -- '*.cpp' '*.h')
  what="tracked C++ files"
fi

if ((${#files[@]} == 0)); then
  echo "check_format: no $what"
  exit 0
fi

unformatted=()
for file in "${files[@]}"; do
  # A file deleted from the working tree but not from the index is not ours to judge.
  [ -e "$file" ] || continue
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done

if ((${#unformatted[@]} > 0)); then
  echo "check_format: not formatted as .clang-format asks (clang-format -i FILE):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check_format: ${#files[@]} $what formatted"
