#!/bin/sh
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer
# (-fno-sanitize-recover=undefined: the first report ends the test) and runs
# the whole test suite there, the fuzz replays among them.
#
#   fuzz/run-sanitizer-tests.sh [build folder]     (default: build-asan)
#
# Environment: JOBS (parallel jobs, default 2), BUILD_TYPE (default Debug).
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-asan}
jobs=${JOBS:-2}

cmake -S "$src" -B "$build" -DTESSELLA_SANITIZE=ON -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Debug}"
cmake --build "$build" -j"$jobs"

# Leaks are reported (LeakSanitizer is on by default); the suppressions name
# system libraries only.
ASAN_OPTIONS=${ASAN_OPTIONS:-check_initialization_order=1:strict_init_order=1}
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$src/fuzz/lsan.supp:print_suppressions=0}
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
ctest --test-dir "$build" -j"$jobs" --output-on-failure --timeout 900
