#!/usr/bin/env bash
# Makes the README and AppStream screenshot packaging/screenshot.png: the main
# window on a result page of the fake marketplace with the picture preview
# open, on an X server of its own (Xvfb), so the picture follows the window
# whenever it changes.
# Usage: scripts/screenshot.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null
command -v Xvfb >/dev/null || { echo "Xvfb is needed (scripts/setup.sh --tests installs it)" >&2; exit 1; }
out=$(realpath -m "${1:-packaging/screenshot.png}")
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake --build build --target vs_screenshot >/dev/null
display=""
for n in $(seq 140 199); do
  [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
  display=":$n"
  break
done
[[ -n "$display" ]] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xserver=$!
trap 'kill "$xserver" 2>/dev/null; wait "$xserver" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X${display#:} ]] && break; sleep 0.1; done
runtime=$(mktemp -d)
chmod 700 "$runtime"
DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" \
  QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu" build/bin/vs_screenshot "$out"
rm -rf "$runtime"
echo "$out"
