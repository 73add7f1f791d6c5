#!/bin/sh
# Measures nvr-plan in a release build and prints the table docs/benchmarks.md keeps:
# "show" of one plan against the start-up of an empty Qt Core program (bar:
# twice as long at most), "summary" over 1,000 plans (bar: 1 s), and what
# linking Qt Gui would add to a Qt Core program's start-up. Medians of
# hyperfine runs, all from one run of this script.
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages build bench

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release -j "$(build_jobs)" --target nvr-plan empty_core empty_core_gui >/dev/null
plan=build-release/src/cli/nvr-plan
bench=build-release/bench
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# 1,000 sites: the shared test plans over and over, each under its own name.
mkdir "$results/sites"
n=0
while [ "$n" -lt 1000 ]; do
    for file in tests/plans/*.nvrplan; do
        [ "$n" -lt 1000 ] && cp "$file" "$results/sites/site-$n.nvrplan"
        n=$((n + 1))
    done
done
sites=$(ls "$results"/sites/*.nvrplan | tr '\n' ' ')

hyperfine -N --warmup 10 --runs 100 --export-csv "$results/startup.csv" \
    "$bench/empty_core" "$bench/empty_core_gui" "$plan show tests/plans/pal-frames.nvrplan" \
    >/dev/null 2>&1
hyperfine -N --warmup 3 --runs 20 --export-csv "$results/summary.csv" \
    "$plan summary $sites" >/dev/null 2>&1

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
echo "Machine: $cpu, $(nproc) cores, $(uname -sr); $(date -u +%Y-%m-%d)"
echo
echo "| nvr-plan, whole process | Median | Bar |"
echo "|---|---:|---|"
awk -F, '
    FNR == 1 { next }
    {
        name = $1
        if (name ~ /empty_core_gui$/) gui = $4 * 1000
        else if (name ~ /empty_core$/) core = $4 * 1000
        else if (name ~ / show /) show = $4 * 1000
        else summary = $4 * 1000
    }
    END {
        printf "| show of one plan | %.2f ms | %s |\n", show,
            show <= 2 * core ? "ok (<= 2 x empty Qt Core)" : "MISSES 2 x empty Qt Core"
        printf "| summary of 1,000 plans | %.1f ms | %s |\n", summary,
            summary <= 1000 ? "ok (<= 1 s)" : "MISSES 1 s"
        printf "| (r) an empty Qt Core program | %.2f ms |  |\n", core
        printf "| (g) the same linked to Qt Gui, never using it | %.2f ms |  |\n", gui
        printf "\nshow / r = %.2f (bar 2); g / r = %.2f: loading Qt Gui adds %.2f ms\n",
            show / core, gui / core, gui - core
    }' "$results/startup.csv" "$results/summary.csv"
