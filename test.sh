#!/usr/bin/env bash
# Builds everything and runs every test: ./test.sh [--sanitize]
# With --sanitize: a separate build under AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run.
# RANDOM_PLAY_EVENTS sets how many random events each random-play test plays.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
# CI also builds the benchmarks and treats every warning as an error.
if [ -n "${CI:-}" ]; then ci=ON; else ci=OFF; fi
common=(-DWARNINGS_AS_ERRORS=$ci -DBUILD_BENCHMARKS=$ci)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    flags=(-DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON)
    export ASAN_OPTIONS=abort_on_error=0:halt_on_error=1:detect_leaks=1
    export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" "${common[@]}" >/dev/null
cmake --build "$dir"
ctest --test-dir "$dir" --output-on-failure -j2
