#!/usr/bin/env bash
# Builds and runs every test (no display needed: Qt WebEngine runs offscreen).
# Usage: scripts/test.sh [--sanitize] [ctest arguments, e.g. -R unit.core]
#   --sanitize  builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer
#               into build-asan/ and runs them there (slow: a build of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
SANITIZE=0
if [[ "${1:-}" == "--sanitize" ]]; then
  SANITIZE=1
  shift
fi
scripts/setup.sh --tests
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
if ((SANITIZE)); then
  SAN="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  [[ -f build-asan/build.ninja ]] || cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$SAN" -DCMAKE_EXE_LINKER_FLAGS="$SAN" -DCMAKE_SHARED_LINKER_FLAGS="$SAN" >/dev/null
  cmake --build build-asan -j"$(nproc)"
  # Qt WebEngine's own page destruction trips the new/delete type check.
  export ASAN_OPTIONS="${ASAN_OPTIONS:-new_delete_type_mismatch=0}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
  # The engine, udev and fontconfig keep their process-wide state at exit.
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0}"
  cd build-asan
else
  cd build
fi
ctest --output-on-failure -j2 "$@"
