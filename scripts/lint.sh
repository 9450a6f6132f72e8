#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every source file of src/,
# with the compile commands of build/ (configured by scripts/setup.sh or
# scripts/test.sh). Exits non-zero on any finding.
# Usage: scripts/lint.sh [path-regex]   e.g. scripts/lint.sh src/core/
set -euo pipefail
cd "$(dirname "$0")/.."
# clang-tidy is one of the test packages; setup.sh also configures build/.
if ! command -v run-clang-tidy >/dev/null || [[ ! -f build/compile_commands.json ]]; then
  scripts/setup.sh --tests
fi
filter="${1:-src/}"
status=0
# TODO lead: the main window's files and the feature interfaces are being
# rewritten on another branch; drop this exclusion once they are merged.
skip='(?!src/app/tform1|src/browser/features/)'
# Only the project's own sources: the generated moc files live in build/.
run-clang-tidy -quiet -p build -j"$(nproc)" "^$PWD/$skip${filter}.*\\.cpp\$" >build/lint.log 2>&1 || status=$?
# The findings without colours, clang-tidy's per-file counts and command lines.
sed 's/\x1b\[[0-9;]*m//g' build/lint.log \
  | grep -v -e '^[0-9]* warnings\? generated\.$' -e '^Suppressed [0-9]* warnings' \
            -e '^Use -header-filter' -e '^clang-tidy-14 ' -e '^$' || true
if ((status)); then
  echo "clang-tidy: löydöksiä / findings (build/lint.log)" >&2
  exit 1
fi
echo "clang-tidy: ei löydöksiä / no findings"
