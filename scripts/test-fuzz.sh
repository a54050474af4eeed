#!/usr/bin/env bash
# The fuzzing suite: builds the libFuzzer harnesses of tests/fuzz with clang
# (AddressSanitizer and UndefinedBehaviorSanitizer on) and runs each for a
# bounded time, starting from its corpus in tests/fuzz/corpus. A finding (a
# crash, a sanitizer report, a broken invariant, a hang) fails the suite and
# leaves the input that found it in the build directory's findings/.
#
# KVR27_FUZZ_SECONDS  seconds per harness (default 25)
# KVR27_FUZZ_BUILD    build directory (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
build=${KVR27_FUZZ_BUILD:-build-fuzz}
seconds=${KVR27_FUZZ_SECONDS:-25}

scripts/install-deps.sh

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVR27_FUZZ=ON \
    -DKVR27_TESTS=OFF -DKVR27_BENCH=OFF -DKVR27_WERROR=ON >/dev/null
# The harnesses alone: the reader of reports needs the report library, not
# the programs.
cmake --build "$build" -j"$jobs" --target kvr27_fuzzers
# Absolute paths: a harness may change its working directory.
build=$(cd "$build" && pwd)

# Each harness with the largest input worth trying: eight transactions with
# their replies, a uevent file, a report descriptor, a report file.
harnesses=(reply:600 report_reader:16384)
[ "$(uname -s)" = Linux ] && harnesses+=(uevent:1024 report_descriptor:512)
findings="$build/findings"
mkdir -p "$findings"
failed=0
for entry in "${harnesses[@]}"; do
    harness=${entry%%:*}
    max_len=${entry#*:}
    # New inputs go to a scratch folder; the corpus in the tree is only read.
    new_inputs="$build/new-inputs/$harness"
    rm -rf "$new_inputs"
    mkdir -p "$new_inputs"
    log="$build/fuzz-$harness.log"
    if ASAN_OPTIONS=detect_leaks=1 "$build/tests/fuzz/kvr27_fuzz_$harness" -max_total_time="$seconds" -timeout=10 \
        -max_len="$max_len" -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$findings/$harness-" \
        "$new_inputs" "$PWD/tests/fuzz/corpus/$harness" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$harness: ${runs:-?} inputs in ${seconds} s, no findings"
    else
        tail -n 40 "$log"
        echo "$harness: FINDING, input kept in $findings/"
        failed=1
    fi
done
exit "$failed"
