#!/bin/sh
# Builds the calculator and starts it. Arguments go to the program (the
# toolkit's own options, such as -style, are understood).
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages build run

cmake -S . -B build >/dev/null
cmake --build build -j "$(build_jobs)" --target nvr-calculator

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    echo "On a machine without a screen, start it on a virtual one:" >&2
    echo "    xvfb-run -a build/nvr-calculator        (apt-get install xvfb xauth)" >&2
    exit 1
fi
exec build/nvr-calculator "$@"
