#!/bin/sh
# Builds the calculator with its tests and runs every test headless.
#
#   scripts/test.sh              Qt 6, in build/
#   scripts/test.sh --qt5        Qt 5.15, in build-qt5/
#   scripts/test.sh --sanitize   Qt 6 under AddressSanitizer, UndefinedBehaviorSanitizer
#                                and LeakSanitizer, in build-sanitize/
#   scripts/test.sh --coverage   Qt 6 with gcov, in build-coverage/; then the
#                                share of the lines of src/ that the tests ran
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh

build_dir=build
options=""
groups="build test"
case "${1:-}" in
    "") ;;
    --qt5) build_dir=build-qt5; options="-DQT_DEFAULT_MAJOR_VERSION=5"; groups="$groups qt5" ;;
    --sanitize) build_dir=build-sanitize; options="-DNVR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug" ;;
    --coverage) build_dir=build-coverage; options="-DCMAKE_BUILD_TYPE=Debug -DNVR_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS=--coverage" ;;
    *) echo "usage: $0 [--qt5 | --sanitize | --coverage]" >&2; exit 2 ;;
esac
# shellcheck disable=SC2086
require_packages $groups

# shellcheck disable=SC2086
cmake -S . -B "$build_dir" $options
cmake --build "$build_dir" -j "$(build_jobs)"
if [ "$build_dir" = build-sanitize ]; then
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
fi
if [ "$build_dir" = build-coverage ]; then
    find "$build_dir" -name '*.gcda' -delete
fi
ctest --test-dir "$build_dir" --output-on-failure -j "$(build_jobs)"
if [ "$build_dir" = build-coverage ]; then
    # Every object, run or not; a header compiled into several counts once, as
    # its best run. gcov ends with a total of its own, which names no file.
    find "$build_dir" -name '*.gcno' -exec gcov -n {} + 2>/dev/null | awk -v src="$(pwd)/src/" '
        /^File / { file = substr($2, 2, length($2) - 2) }
        /^Lines executed:/ && index(file, src) == 1 {
            split(substr($2, 10), part, "%"); lines = $4; ran = int(part[1] * lines / 100 + 0.5)
            if (!(file in total) || ran > done[file]) { total[file] = lines; done[file] = ran }
        }
        /^Lines executed:/ { file = "" }
        END {
            for (f in total) { all += total[f]; hit += done[f]
                if (done[f] < total[f])
                    printf "%6d of %5d  %s\n", done[f], total[f], substr(f, length(src) - 3) | "sort -k4" }
            close("sort -k4")
            if (all == 0) { print "no coverage data for src/"; exit 1 }
            printf "line coverage of src/: %d of %d lines, %.1f %%\n", hit, all, 100 * hit / all
        }'
fi
