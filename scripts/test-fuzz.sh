#!/usr/bin/env bash
# The fuzzing suite: builds the libFuzzer harnesses of tests/fuzz with clang
# (AddressSanitizer and UndefinedBehaviorSanitizer on; the "fuzz" preset)
# and runs each for a bounded time, starting from its corpus in
# tests/fuzz/corpus: the tests labelled "fuzz" (tests/fuzz/run-fuzzer.sh).
# A finding (a crash, a sanitizer report, a broken invariant, a hang) fails
# the suite and leaves the input that found it in the build directory's
# findings/.
#
# KVR27_FUZZ_SECONDS  seconds per harness (default 25, the build's
#                     KVR27_FUZZ_SECONDS)
# KVR27_FUZZ_BUILD    build directory (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
build=${KVR27_FUZZ_BUILD:-build-fuzz}

scripts/install-deps.sh

cmake --preset fuzz -B "$build" >/dev/null
# The harnesses alone: the reader of reports needs the report library, not
# the programs.
cmake --build "$build" -j"$jobs" --target kvr27_fuzzers

# One harness after another, each with a processor to itself: the tests
# print their results to CTest's log, and each leaves its result lines in
# fuzz-NAME.result, printed here in the tests' order.
rm -f "$build"/fuzz-*.result
status=0
ctest --preset fuzz --test-dir "$build" >"$build/fuzz-ctest.log" 2>&1 || status=$?
findings=0
for harness in $(ctest --test-dir "$build" -N -L fuzz | sed -n 's/^ *Test *#[0-9]*: fuzz\.//p'); do
    result="$build/fuzz-$harness.result"
    if [ -f "$result" ]; then
        cat "$result"
        if grep -q "^$harness: FINDING," "$result"; then
            findings=1
        fi
    fi
done
# A failure that is no harness's finding (a harness that did not start,
# no harness at all): CTest's own words.
if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then
    cat "$build/fuzz-ctest.log"
fi
[ "$status" -eq 0 ] || exit 1
