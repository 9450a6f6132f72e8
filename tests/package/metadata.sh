#!/bin/sh
# The desktop entry and the AppStream metadata as the desktop's tools read
# them. Exits 77 (skipped) without the validators.
set -eu
here=$(dirname "$0")/../../packaging
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null || {
  echo "skipped: desktop-file-validate or appstreamcli missing (scripts/setup.sh --tests installs them)"
  exit 77
}
out=$(desktop-file-validate "$here/fi.vsselain.VSselain.desktop" 2>&1)
[ -z "$out" ] || { echo "$out"; exit 1; }
appstreamcli validate --no-net "$here/fi.vsselain.VSselain.metainfo.xml"
