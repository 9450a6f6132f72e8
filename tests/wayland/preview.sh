#!/bin/sh
# The program as a native Wayland client: a headless Weston compositor, the
# main window with QT_QPA_PLATFORM=wayland against the fake marketplace; the
# home page loads, a click on a listing picture of a result page opens the
# preview (vs_screenshot does both and saves the window). Exits 77 (skipped)
# without Weston or Qt's Wayland platform.
# Usage: preview.sh VS_SCREENSHOT
set -u
program=$1
command -v weston >/dev/null || { echo "skipped: weston missing (scripts/setup.sh --tests installs it)"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "skipped: qt6-wayland missing"; exit 77; }
runtime=$(mktemp -d)
chmod 700 "$runtime"
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket=vs-wayland --idle-time=0 \
  --width=1280 --height=1024 >"$runtime/weston.log" 2>&1 &
weston=$!
trap 'kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; rm -rf "$runtime"' EXIT
i=0
while [ ! -S "$runtime/vs-wayland" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -S "$runtime/vs-wayland" ] || { cat "$runtime/weston.log"; echo "FAIL: weston did not start"; exit 1; }
out=$(XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=vs-wayland QT_QPA_PLATFORM=wayland \
  "$program" "$runtime/ikkuna.png" 2>&1)
status=$?
echo "$out"
[ $status -eq 0 ] || { echo "FAIL: exit $status"; exit 1; }
echo "$out" | grep -q '^platform: wayland$' || { echo "FAIL: not a Wayland client"; exit 1; }
[ -s "$runtime/ikkuna.png" ] || { echo "FAIL: no picture of the window"; exit 1; }
echo "ok"
