#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test suite:
# the native suite, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzzing suite, the Debian package (built,
# checked, installed and removed) and the platform suites. Each suite ends
# with CTest's summary or its own result lines.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

# Each suite's time, printed as the next one starts and at the end.
suite_started=$SECONDS
suite_name=
suite() {
    if [ -n "$suite_name" ]; then
        echo "== $suite_name: $((SECONDS - suite_started)) s"
    fi
    suite_name=$1
    suite_started=$SECONDS
    [ -z "$1" ] || echo "== $1"
}

suite "native suite"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVR27_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

suite "sanitizer suite (address, undefined)"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKVR27_SANITIZE=ON -DKVR27_BENCH=OFF -DKVR27_WERROR=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

suite "fuzzing suite (libFuzzer, clang)"
scripts/test-fuzz.sh

suite "Debian package suite"
scripts/test-package.sh

suite "kernel HID suite"
scripts/test-kernel.sh

suite "Windows suite (MinGW-w64, Wine)"
scripts/test-windows.sh
suite ""
echo "== all suites: $SECONDS s"
