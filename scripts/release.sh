#!/usr/bin/env bash
# Builds a release of the program and signs it for the update check.
# The secret key is read from the file named in $VS_RELEASE_KEY, which must
# lie outside the repository (scripts/make-release-key.sh makes one); the
# program is built in build-release/ with the key's public half built in.
# Writes, ready for the maker's web folder (default build-release/web/):
#   vsselain            the program file (stripped)
#   vsselain.sig        its detached Ed25519 signature (64 bytes)
#   selainversio.dat    the version file ("4.05" CR LF); selainversio.php the same
# Usage: VS_RELEASE_KEY=/path/to/key scripts/release.sh [OUT_DIR]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
if [[ -z "${VS_RELEASE_KEY:-}" || ! -r "$VS_RELEASE_KEY" ]]; then
  echo "VS_RELEASE_KEY must name the secret release key file (scripts/make-release-key.sh)" >&2
  exit 1
fi
key=$(realpath "$VS_RELEASE_KEY")
if [[ "$key" == "$repo"/* ]]; then
  echo "the secret key must not lie inside the repository: $key" >&2
  exit 1
fi
out=$(realpath -m "${1:-build-release/web}")
scripts/setup.sh >/dev/null
export CCACHE_BASEDIR="$repo" CCACHE_NOHASHDIR=1
# The signing tool first: it derives the public half from the secret one.
[[ -f build-release/build.ninja ]] || cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build-release --target releasesign >/dev/null
public=$(build-release/bin/releasesign public "$key")
# Only updatekey.cpp sees the key: the rest comes from the compiler cache.
cmake -S . -B build-release -DVS_UPDATE_PUBLIC_KEY="$public" >/dev/null
cmake --build build-release -j"$(nproc)" --target vsselain
version=$(build-release/bin/vsselain --version | awk '{print $2}')
mkdir -p "$out"
strip -o "$out/vsselain.uusi" build-release/bin/vsselain
mv "$out/vsselain.uusi" "$out/vsselain"
build-release/bin/releasesign sign "$key" "$out/vsselain"
printf '%s\r\n' "$version" >"$out/selainversio.dat"
cp "$out/selainversio.dat" "$out/selainversio.php"
echo "VSselain $version, public key $public:"
ls -l "$out"
