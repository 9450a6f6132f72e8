#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every source file of src/,
# with the compile commands of build-lint/: the build's own configuration
# without precompiled headers (clang cannot read gcc's). Only configured, never
# built: the sources include nothing generated. Exits non-zero on any finding.
# Usage: scripts/lint.sh [path-regex]   e.g. scripts/lint.sh src/core/
set -euo pipefail
cd "$(dirname "$0")/.."
# clang-tidy is one of the test packages; setup.sh also configures build/.
if ! command -v run-clang-tidy >/dev/null; then
  scripts/setup.sh --tests
fi
cmake -S . -B build-lint -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON >/dev/null
filter="${1:-src/}"
status=0
# Only the project's own sources: the generated moc files live in build/.
run-clang-tidy -quiet -p build-lint -j"$(nproc)" "^$PWD/${filter}.*\\.cpp\$" >build-lint/lint.log 2>&1 || status=$?
# The findings without colours, clang-tidy's per-file counts and command lines.
sed 's/\x1b\[[0-9;]*m//g' build-lint/lint.log \
  | grep -v -e '^[0-9]* warnings\? generated\.$' -e '^Suppressed [0-9]* warnings' \
            -e '^Use -header-filter' -e '^clang-tidy-14 ' -e '^$' || true
if ((status)); then
  echo "clang-tidy: löydöksiä / findings (build-lint/lint.log)" >&2
  exit 1
fi
echo "clang-tidy: ei löydöksiä / no findings"
