#!/bin/sh
# Long runs of the GUI monkey (tessella-monkey): one child process per seed,
# each with a home of its own. A seed fails on a non-zero exit, a signal, any
# sanitizer report, a broken invariant or a hang (the monkey's watchdog aborts
# when the event loop has not answered for 5 s); its seed, action log and
# standard error are kept in the failures folder.
#
#   fuzz/run-monkey.sh [build folder] [first seed] [seeds] [actions per seed]
#
# Environment: OUT (results, default <build>/monkey-runs), JOBS (seeds at a
# time, default 1), LARGE (image points of the large project, default 200000),
# SECONDS_PER_SEED (time budget, default 3600), FATAL=1 (the read-failure box
# may be answered "&Quit", which ends a seed with status 1 and a closed log).
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-asan}
first=${2:-1}
count=${3:-20}
actions=${4:-5000}
out=${OUT:-$build/monkey-runs}
jobs=${JOBS:-1}
large=${LARGE:-200000}
budget=${SECONDS_PER_SEED:-3600}
monkey=$build/bin/tessella-monkey
[ -x "$monkey" ] || { echo "no $monkey: build the target tessella-monkey first" >&2; exit 2; }

ASAN_OPTIONS=${ASAN_OPTIONS:-check_initialization_order=1:strict_init_order=1}
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$src/fuzz/lsan.supp:print_suppressions=0}
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
export QT_QPA_PLATFORM=offscreen TESSELLA_SOURCE_DIR="$src"
unset windir 2>/dev/null || true

mkdir -p "$out/failures"
summary=$out/summary.txt
: > "$summary"

run_seed() {
  seed=$1
  dir=$out/seed-$seed
  rm -rf "$dir"
  mkdir -p "$dir/home"
  fatal=
  [ "${FATAL:-}" = 1 ] && fatal=--allow-fatal
  start=$(date +%s)
  set +e
  # The outer limit only catches what the watchdog cannot (a stuck start-up).
  HOME=$dir/home timeout -s KILL $((budget + 600)) "$monkey" --seed "$seed" --actions "$actions" \
    --seconds "$budget" --large-points "$large" --log "$dir/actions.log" --work "$dir/work" $fatal \
    > "$dir/stdout.txt" 2> "$dir/stderr.txt"
  rc=$?
  set -e
  took=$(( $(date +%s) - start ))
  verdict=ok
  if grep -q -e "Sanitizer" -e "runtime error:" "$dir/stderr.txt"; then verdict=sanitizer
  elif grep -q "HANG" "$dir/actions.log"; then verdict=hang
  elif grep -q "INVARIANT" "$dir/actions.log"; then verdict=invariant
  elif [ "$rc" = 1 ] && [ -n "$fatal" ] && tail -n 3 "$dir/actions.log" | grep -q FATAL-QUIT; then verdict=fatal-quit
  elif [ "$rc" -ge 128 ]; then verdict=crash
  elif [ "$rc" != 0 ]; then verdict=exit-$rc
  fi
  # A fatal quit must still close the program's log.
  if [ "$verdict" = fatal-quit ]; then
    last=$(ls "$dir/home/.tessella/log/"*.log 2>/dev/null | tail -n 1)
    if [ -z "$last" ] || ! tail -n 2 "$last" | grep -q "Logging stopped at"; then verdict=log-open; fi
  fi
  steps=$(grep -o "done: [0-9]* actions, [0-9]* invariant checks" "$dir/actions.log" | grep -o "[0-9]*" | head -n 1)
  checks=$(grep -o "done: [0-9]* actions, [0-9]* invariant checks" "$dir/actions.log" | grep -o "[0-9]*" | tail -n 1)
  [ -n "$steps" ] || steps=$(grep -c "^step " "$dir/actions.log" || true)
  [ -n "$checks" ] || checks=0
  echo "seed $seed: $verdict, status $rc, $steps actions, $checks invariant checks, $took s" | tee -a "$summary"
  case $verdict in
    ok|fatal-quit) rm -rf "$dir/work" "$dir/home" ;;
    *)
      mkdir -p "$out/failures/seed-$seed"
      cp "$dir/actions.log" "$dir/stderr.txt" "$dir/stdout.txt" "$out/failures/seed-$seed/"
      echo "$monkey --seed $seed --actions $actions --seconds $budget --large-points $large $fatal" \
        > "$out/failures/seed-$seed/repeat.sh" ;;
  esac
}

seed=$first
last=$((first + count - 1))
while [ "$seed" -le "$last" ]; do
  n=0
  while [ "$n" -lt "$jobs" ] && [ "$seed" -le "$last" ]; do
    run_seed "$seed" &
    seed=$((seed + 1))
    n=$((n + 1))
  done
  wait
done

sort -t' ' -k2 -n "$summary" -o "$summary"
awk '{a += $6; c += $8; if ($3 != "ok," && $3 != "fatal-quit,") f++} END {printf "%d seeds, %d actions, %d invariant checks, %d failed\n", NR, a, c, f}' "$summary" | tee -a "$summary"
! grep -q -v -e ": ok," -e ": fatal-quit," -e "seeds," "$summary"
