#!/usr/bin/env bash
# Installs ImageMagick, the reference the picture-preparation benchmark
# (bench_pictureprep) times itself against. Not needed by the program.
set -euo pipefail
if ! command -v convert >/dev/null; then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends imagemagick
fi
