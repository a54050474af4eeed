#!/usr/bin/env bash
# Runs the Windows suites under Wine again and again on one build, as
# scripts/test-windows.sh runs them, to tell a fault that comes and goes
# from one of the code: each run's output is kept, a failed run's under
# its number, and the end gives the failed runs out of all.
#
#   scripts/repeat-windows-suites.sh [RUNS] [BUILD]    (defaults: 20, build-windows)
#
# KVR27_REPEAT_LOGS chooses where the outputs go (default: BUILD/repeat).
# KVR27_REPEAT_SUITES=core runs the core suite alone.
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
build=$(cd "${2:-build-windows}" && pwd) || exit 1
jobs=$(nproc 2>/dev/null || echo 2)
logs=${KVR27_REPEAT_LOGS:-$build/repeat}
mkdir -p "$logs"

source scripts/wine-environment.sh "$build"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
start_wine_server

failed=0
for run in $(seq 1 "$runs"); do
    output="$logs/run-$run.txt"
    status=0
    ctest --test-dir "$build" --output-on-failure -j"$((jobs * 2))" -LE "window|robustness" >"$output" 2>&1 || status=1
    if [ "${KVR27_REPEAT_SUITES:-all}" != core ]; then
        ctest --test-dir "$build" --output-on-failure -j"$jobs" -L window >>"$output" 2>&1 || status=1
    fi
    summary=$(grep -E "tests passed|tests failed" "$output" | tr '\n' ' ')
    if [ $status -ne 0 ]; then
        failed=$((failed + 1))
        cp "$output" "$logs/failed-$run.txt"
        echo "run $run: FAILED: $summary (output in $logs/failed-$run.txt)"
    else
        echo "run $run: passed: $summary"
    fi
done
echo "repeat-windows-suites: $failed of $runs runs failed"
[ $failed -eq 0 ]
