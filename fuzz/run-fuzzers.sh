#!/bin/sh
# Fuzzes the readers with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, one target after another.
#
#   fuzz/run-fuzzers.sh [seconds per target] [target...]
#
# Defaults: 1200 seconds, every target. Needs clang. New inputs collect in
# <build>/fuzz-work/<target>; a crash, leak, timeout or out-of-memory leaves
# its input in <build>/fuzz-artifacts/<target>/ and ends that target's run:
# fix the fault, then copy the input into fuzz/regressions/<target>/.
# Environment: BUILD (default build-fuzz), JOBS (default 2), RUNS (stop a
# target after that many executions instead, default unlimited), NOBUILD
# (set: use the targets as built, e.g. for a second run alongside).
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$src/build-fuzz}
seconds=${1:-1200}
[ $# -gt 0 ] && shift
targets=${*:-imagefile orientationfile camerafile objectfile observationfile project projectfile baxini cfgfile}

if [ -z "${NOBUILD:-}" ]; then
  cmake -S "$src" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTESSELLA_SANITIZE=ON -DTESSELLA_FUZZ=ON >/dev/null
  for t in $targets; do
    cmake --build "$build" -j"${JOBS:-2}" --target "fuzz_$t" >/dev/null
  done
fi

status=0
for t in $targets; do
  mkdir -p "$build/fuzz-work/$t" "$build/fuzz-artifacts/$t"
  echo "== fuzz_$t: $seconds s"
  # Memory per input is bounded: 2 GB resident, 256 MB per allocation.
  if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -runs="${RUNS:--1}" \
      -rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$t/" \
      "$build/fuzz-work/$t" "$src/fuzz/corpus/$t" "$src/fuzz/regressions/$t" \
      >"$build/fuzz-artifacts/$t.log" 2>&1; then
    echo "fuzz_$t: FINDING, see $build/fuzz-artifacts/$t.log"
    status=1
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|^Done ' \
    "$build/fuzz-artifacts/$t.log" || true
done
exit $status
