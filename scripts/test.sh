#!/usr/bin/env bash
# Builds and runs every test (no display needed: Qt WebEngine runs offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
cd build
ctest --output-on-failure -j2 "$@"
