#!/usr/bin/env bash
# Builds and starts the browser.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/bin/vsselain "$@"
