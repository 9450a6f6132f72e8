#!/usr/bin/env bash
# Builds the parsers' libFuzzer harnesses (tests/fuzz) with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer into build-fuzz/, then runs each harness for
# SECONDS seconds (default 60), starting from its seeds in tests/fuzz/corpus/.
# A crash, a sanitizer report, a failed property or an input that takes more
# than a second is a finding: the input is kept in build-fuzz/findings/<harness>/
# and the script exits non-zero.
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]   (all harnesses when none is named)
# FUZZ_JOBS sets the build's parallel jobs and how many harnesses run at once
# (default 1, so that other builds on the machine are not starved).
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-60}"
shift || true
[[ "$SECONDS_EACH" =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS] [HARNESS...]" >&2; exit 2; }

if ! command -v clang++ >/dev/null; then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  echo "Asennetaan / installing: clang"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends clang
fi

# A build folder of its own; one job at a low priority so that it does not
# starve other builds on the machine.
# Through the compiler cache when there is one, with paths hashed relative to
# the checkout (as scripts/setup.sh does).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
JOBS="${FUZZ_JOBS:-1}"
# A few small libraries only: precompiled headers would cost more than they save.
[[ -f build-fuzz/build.ninja ]] || nice -n 10 cmake -S . -B build-fuzz -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVS_FUZZ=ON \
  -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON "${LAUNCHER[@]}" >/dev/null
nice -n 10 cmake --build build-fuzz -j"$JOBS" --target fuzz_all

# The harnesses write and read back files: keep them in memory when possible.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi

# One harness: runs it and writes "<executions> <findings>" to its .result file.
# libFuzzer measures its one-second limit in wall time, so on a busy machine a
# quick input can be caught as slow: such an input is run again on its own, and
# only when it is slow then too does it count. Otherwise it is kept aside in
# <harness>.slow/ and the run goes on for the time that is left.
run_harness() {
  local name="$1" bin="build-fuzz/fuzz/$1" seeds="tests/fuzz/corpus/$1" work="build-fuzz/corpus/$1"
  local findings="build-fuzz/findings/$1" log="build-fuzz/findings/$1.log"
  local slow="build-fuzz/findings/$1.slow"
  rm -rf "$findings" "$log" "$slow"
  mkdir -p "$seeds" "$work" "$findings"
  local started=$SECONDS left="$SECONDS_EACH" found=0 rc total
  while :; do
    rc=0
    nice -n 10 "$bin" -max_total_time="$left" -timeout=1 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$seeds" >>"$log" 2>&1 || rc=$?
    found=$(find "$findings" -type f | wc -l)
    if ((rc != 0)) && ((found == 0)); then
      found=1   # the harness failed without leaving an input (see the log)
    fi
    ((found == 1)) || break
    local input
    input=$(find "$findings" -type f -name 'timeout-*' | head -1)
    [[ -n "$input" ]] && "$bin" -timeout=1 -rss_limit_mb=2048 "$input" >>"$log" 2>&1 || break
    mkdir -p "$slow"
    mv "$input" "$slow/"
    echo "== slow only under load: $slow/$(basename "$input")" >>"$log"
    found=0
    left=$((SECONDS_EACH - (SECONDS - started)))
    ((left > 0)) || break
  done
  total=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | awk '{n += $1} END {print n + 0}')
  echo "$total $found" >"build-fuzz/findings/$name.result"
}

harnesses=("$@")
((${#harnesses[@]})) || harnesses=($(cd build-fuzz/fuzz && ls fuzz_*))
for name in "${harnesses[@]}"; do
  [[ -x "build-fuzz/fuzz/$name" ]] || { echo "no harness $name" >&2; exit 2; }
  rm -f "build-fuzz/findings/$name.result"
done
# JOBS harnesses at a time
mkdir -p build-fuzz/findings
running=0
for name in "${harnesses[@]}"; do
  if ((running >= JOBS)); then
    wait -n || true
    running=$((running - 1))
  fi
  run_harness "$name" &
  running=$((running + 1))
done
wait || true

failed=0
printf '%-22s %12s %9s\n' harness executions findings
for name in "${harnesses[@]}"; do
  read -r execs found <"build-fuzz/findings/$name.result" 2>/dev/null || { execs="?"; found=1; }
  printf '%-22s %12s %9s\n' "$name" "$execs" "$found"
  if [[ -d "build-fuzz/findings/$name.slow" ]]; then
    echo "    slow only under load (under 1 s when run again): build-fuzz/findings/$name.slow/"
  fi
  if ((found > 0)); then
    failed=1
    grep -E '^==[0-9]+==ERROR|^==PROPERTY==|runtime error|^SUMMARY' "build-fuzz/findings/$name.log" | head -5 | sed 's/^/    /'
    echo "    log: build-fuzz/findings/$name.log, inputs: build-fuzz/findings/$name/"
  fi
done
exit $failed
