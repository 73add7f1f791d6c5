#!/bin/sh
# Formats every C++ file of the project with the style in .clang-format.
#   scripts/format.sh           rewrite the files
#   scripts/format.sh --check   only report files that differ (CI)
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages format

files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
    # shellcheck disable=SC2086
    clang-format --dry-run --Werror $files
    echo "formatting: ok"
else
    # shellcheck disable=SC2086
    clang-format -i $files
fi
