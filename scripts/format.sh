#!/usr/bin/env bash
# Formats every C++ source file of the project with clang-format (.clang-format).
# Usage: scripts/format.sh [--check]
#   --check  changes nothing; lists each difference and exits non-zero on any
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || scripts/setup.sh --tests
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [[ "${1:-}" == "--check" ]]; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 clang-format --dry-run -Werror
  echo "clang-format: ei eroja / no differences"
else
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 clang-format -i
fi
