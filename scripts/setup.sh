#!/usr/bin/env bash
# Installs what the build needs (Debian 12), configures and builds.
# Usage: scripts/setup.sh [--tests | --package]
#   --tests    also what the tests use, and builds everything
#   --package  also what scripts/package.sh uses (dpkg-shlibdeps, lintian,
#              the desktop entry and AppStream validators); builds the program
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ pkg-config python3
  qt6-base-dev qt6-webengine-dev qt6-webchannel-dev libqt6webenginecore6-bin
  qt6-image-formats-plugins qt6-translations-l10n libjpeg62-turbo-dev libsodium-dev libgl-dev fonts-liberation
  libxlsxwriter-dev libminizip-dev xdg-utils qt6-wayland qt6-charts-dev)
# a compiler cache: a new checkout rebuilds from what an earlier one compiled
PACKAGES+=(ccache)
# a faster linker (the build falls back to the default one without it)
PACKAGES+=(lld)
# the Debian package: CPack finds programs with file(1), dpkg-shlibdeps
# computes the Depends, lintian and the validators check the result
PACKAGING=(file dpkg-dev lintian desktop-file-utils appstream)
if [[ "${1:-}" == "--package" ]]; then
  PACKAGES+=("${PACKAGING[@]}")
fi
if [[ "${1:-}" == "--tests" ]]; then
  PACKAGES+=("${PACKAGING[@]}")
  # the Wayland test runs the program in a headless Weston compositor
  PACKAGES+=(weston)
  # npm fetches the fake marketplace's page scripts; keep a Node.js that is there
  command -v npm >/dev/null || PACKAGES+=(nodejs npm)
  # the loopback check traces the test programs' network calls
  PACKAGES+=(strace)
  # the window-title test starts the program on an X server of its own
  PACKAGES+=(xvfb xdotool)
  # the printing test reads the text of the PDF it printed
  PACKAGES+=(poppler-utils)
  # scripts/lint.sh and scripts/format.sh
  PACKAGES+=(clang-tidy clang-format)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  echo "Asennetaan / installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [[ "${1:-}" == "--tests" && -f tests/marketplace/package.json ]]; then
  (cd tests/marketplace && { [[ -d node_modules ]] || npm install --no-audit --no-fund; })
fi

# Ninja re-runs CMake by itself when a CMakeLists or the folder contents change.
# Paths inside the checkout are hashed relative to it, so the cache serves any
# checkout of the same sources.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
# More CMake options from the environment, e.g. VS_CMAKE_ARGS=-DVS_WERROR=ON
# (.ci/run); given, build/ is configured again with them.
read -ra EXTRA_CMAKE_ARGS <<<"${VS_CMAKE_ARGS:-}"
if [[ ! -f build/build.ninja || ${#EXTRA_CMAKE_ARGS[@]} -gt 0 ]]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${EXTRA_CMAKE_ARGS[@]}" >/dev/null
fi
if [[ "${1:-}" == "--tests" ]]; then
  cmake --build build -j"$(nproc)"
else
  cmake --build build -j"$(nproc)" --target vsselain
fi
