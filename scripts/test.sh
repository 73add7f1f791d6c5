#!/bin/sh
# Builds the calculator with its tests and runs every test headless.
#
#   scripts/test.sh              Qt 6, in build/
#   scripts/test.sh --qt5        Qt 5.15, in build-qt5/
#   scripts/test.sh --sanitize   Qt 6 under AddressSanitizer, UndefinedBehaviorSanitizer
#                                and LeakSanitizer, in build-sanitize/
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
    *) echo "usage: $0 [--qt5 | --sanitize]" >&2; exit 2 ;;
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
ctest --test-dir "$build_dir" --output-on-failure -j "$(build_jobs)"
