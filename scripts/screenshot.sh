#!/bin/sh
# Renders docs/screenshot.png from the real program as it starts: it runs on a
# virtual X display of the window's width, a little taller than the window
# with its menu bar, and the picture is taken once the first frame is drawn.
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages build screenshot

cmake -S . -B build >/dev/null
cmake --build build -j "$(build_jobs)" --target nvr-calculator screengrab

xvfb-run -a -s "-screen 0 594x720x24" sh -c '
    build/nvr-calculator >/dev/null 2>&1 &
    program=$!
    build/docs/screengrab/screengrab docs/screenshot.png
    status=$?
    kill $program
    exit $status'
echo "wrote docs/screenshot.png"
