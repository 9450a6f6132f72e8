#!/usr/bin/env bash
# Builds the Debian package build/package/vsselain_<version>_<arch>.deb from the
# program's build (CPack's DEB generator: the CMake install rules are the
# package's contents, dpkg-shlibdeps computes the Depends), then checks it
# with lintian (no errors allowed) and the desktop entry and AppStream
# metadata with their validators.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --package
rm -rf build/package
if ! log=$(cpack -G DEB --config build/CPackConfig.cmake -B build/package 2>&1); then
  echo "$log" >&2
  exit 1
fi
deb=$(ls build/package/vsselain_*.deb)
tests/package/metadata.sh
# lintian prints errors as "E:" lines; warnings and notes are shown but pass.
report=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
[[ -z "$report" ]] || echo "$report"
if grep -q '^E:' <<<"$report"; then
  echo "lintian reports errors in $deb" >&2
  exit 1
fi
echo "$deb"
