#!/bin/sh
# Fuzzes the plan reader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, starting from the plans in tests/.
#
#   scripts/fuzz.sh [SECONDS]   default 60; crashes are saved in build-fuzz/
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages build fuzz
seconds=${1:-60}

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DNVR_FUZZ=ON -DBUILD_TESTING=OFF \
    -DNVR_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(build_jobs)" --target fuzz_planfile >/dev/null

# New inputs go to a scratch folder; the seeds in the tree stay as they are.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
seeds=tests/fuzz/seeds
[ -d tests/plans ] && seeds="$seeds tests/plans"
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
# shellcheck disable=SC2086
build-fuzz/tests/fuzz/fuzz_planfile -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix=build-fuzz/ "$corpus" $seeds \
    >"$corpus.log" 2>&1 || status=$?
grep -E '^(#[0-9]+ +(INITED|DONE)|stat::number_of_executed_units|==|SUMMARY|Done)' "$corpus.log" || true
if [ "$status" -ne 0 ]; then
    tail -n 40 "$corpus.log" >&2
    rm -f "$corpus.log"
    echo "fuzzing found a failure (exit $status): the input is in build-fuzz/" >&2
    exit 1
fi
rm -f "$corpus.log"
echo "fuzzing: ${seconds}s, no crash, no leak"
