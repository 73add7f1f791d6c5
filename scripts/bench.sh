#!/bin/sh
# Measures every kind of user action and the start-up, in a release build,
# headless, and prints the table docs/benchmarks.md keeps.
#
#   scripts/bench.sh              wall time (median of 9 runs per action), then
#                                 scripts/bench-cli.sh for nvr-plan
#   scripts/bench.sh --callgrind  instruction counts per action, under valgrind
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages build bench
[ "${1:-}" = --callgrind ] && deps_valgrind=valgrind && require_packages valgrind

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release -j "$(build_jobs)" --target bench_actions startup startup_floor >/dev/null
export QT_QPA_PLATFORM=offscreen
bench=build-release/bench
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

if [ "${1:-}" = --callgrind ]; then
    # The trace goes where an installed program's goes when started from the desktop.
    "$bench/bench_actions" -callgrind 2>/dev/null | awk '
        /^RESULT/ { sub(/^RESULT : ActionsBenchmark::/, ""); name = $0 }
        /instruction reads per iteration/ { printf "| %s | %s |\n", name, $1 }'
    exit 0
fi

"$bench/bench_actions" -median 9 >"$results/actions.txt" 2>/dev/null
# Eight rounds of six runs each, the variants taking turns, so that a change
# in the machine's load weighs on all of them alike; a median of the rounds'
# medians.
for round in 1 2 3 4 5 6 7 8; do
    hyperfine -N --warmup 2 --runs 6 --export-csv "$results/startup-$round.csv" \
        "$bench/startup program" "$bench/startup form" "$bench/startup_floor program" \
        "$bench/startup empty" >/dev/null 2>&1
done
for variant in "startup program" "startup form" "startup_floor program" "startup empty"; do
    for run in 1 2 3 4 5 6 7 8 9; do
        # shellcheck disable=SC2086
        /usr/bin/time -f "%M" $bench/$variant 2>&1 >/dev/null | tail -n 1
    done | sort -n | sed -n 5p >"$results/memory-$(echo "$variant" | tr ' ' -)"
done

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
echo "Machine: $cpu, $(nproc) cores, $(uname -sr); $(date -u +%Y-%m-%d)"
echo
echo "| User action | Median | Bar |"
echo "|---|---:|---|"
awk '
    /^RESULT/ {
        # RESULT : ActionsBenchmark::choice():"channel frame":  or  ...::reset():
        name = $0
        sub(/^RESULT : ActionsBenchmark::/, "", name)
        if (name ~ /\(\):"/) { sub(/^[^"]*"/, "", name); sub(/":$/, "", name) }
        else sub(/\(\):$/, "", name)
        next
    }
    /msecs per iteration/ {
        us = $1 * 1000
        if (name == "recalculate") recalc = us
        if (name == "recalculate without the trace") bare = us
        bar = (name ~ /^recalculate/) ? 100 : 500
        label = name
        if (name ~ /^disk sets/) bar = 1000
        if (name == "openPlan") { label = "open a plan file"; bar = 1000 }
        if (name == "undoRedo") { label = "one undo or redo"; bar = 1000 }
        if (name == "reset") label = "Reset button"
        if (name == "startUp") { label = "window built, filled, shown and reset (and torn down)"; bar = 0 }
        verdict = bar == 0 ? "" : (us <= bar ? "ok (<= " bar " us)" : "MISSES " bar " us")
        if (us >= 1000) printf "| %s | %.1f ms | %s |\n", label, us / 1000, verdict
        else printf "| %s | %.1f us | %s |\n", label, us, verdict
    }
    END { if (recalc > 0) printf "\nThe trace (16 lines per recalculation, to stderr) is %.0f%% of recalculate.\n", 100 * (recalc - bare) / recalc }
' "$results/actions.txt"

echo
echo "| Start-up, whole process, until the first frame | Median | Peak memory |"
echo "|---|---:|---:|"
awk -F, -v mp="$(cat "$results/memory-startup-program")" \
    -v mo="$(cat "$results/memory-startup-form")" \
    -v mf="$(cat "$results/memory-startup_floor-program")" \
    -v me="$(cat "$results/memory-startup-empty")" '
    FNR > 1 {
        name = $1
        if (name ~ /startup_floor /) name = "floor"; else sub(/.*startup /, "", name)
        times[name] = times[name] " " $4 * 1000
    }
    function median(list,    n, v, i, j, t) {
        n = split(list, v, " ")
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    END {
        a = median(times["program"]); o = median(times["form"])
        b = median(times["floor"]); c = median(times["empty"])
        printf "| (a) the calculator | %.1f ms | %d KiB |\n", a, mp
        printf "| (b) the calculator without fonts, palettes and style sheets | %.1f ms | %d KiB |\n", b, mf
        printf "| its form alone on a bare QMainWindow | %.1f ms | %d KiB |\n", o, mo
        printf "| an empty QMainWindow | %.1f ms | %d KiB |\n", c, me
        printf "\na/b = %.2f (bar 1.20: %s); memory a - b = %d KiB (bar 2048 KiB: %s)\n",
            a / b, a / b <= 1.2 ? "ok" : "MISSES", mp - mf, mp - mf <= 2048 ? "ok" : "MISSES"
    }' "$results"/startup-*.csv

echo
scripts/bench-cli.sh
