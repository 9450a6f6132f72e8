#!/usr/bin/env bash
# Makes the maker's release key pair with libsodium: the secret half goes
# into a new file (owner-only, never overwritten) that must lie outside the
# repository; the public half is printed, for
#   cmake -DVS_UPDATE_PUBLIC_KEY=<public half>   (scripts/release.sh does it).
# Usage: scripts/make-release-key.sh SECRET_KEY_FILE
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[[ $# -eq 1 ]] || { echo "usage: $0 SECRET_KEY_FILE" >&2; exit 2; }
target=$(realpath -m "$1")
if [[ "$target" == "$repo"/* ]]; then
  echo "the secret key must not lie inside the repository: $target" >&2
  exit 1
fi
if [[ -e "$target" ]]; then
  echo "$target exists already; a key is never overwritten" >&2
  exit 1
fi
command -v c++ >/dev/null && pkg-config --exists libsodium || {
  echo "a C++ compiler and libsodium-dev are needed (scripts/setup.sh installs them)" >&2
  exit 1
}
tool=$(mktemp -d)
trap 'rm -rf "$tool"' EXIT
# shellcheck disable=SC2046
c++ -O2 -o "$tool/releasesign" "$repo/tools/releasesign.cpp" $(pkg-config --cflags --libs libsodium)
mkdir -p "$(dirname "$target")"
"$tool/releasesign" keypair "$target"
