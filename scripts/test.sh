#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test suite:
# the native suite, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzzing suite, the Debian package (built,
# checked, installed and removed) and the platform suites. Each suite ends
# with CTest's summary or its own result lines. The builds are configured
# from CMakePresets.json (default, sanitize, fuzz, windows).
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
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

suite "sanitizer suite (address, undefined)"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
# The test preset sets ASAN_OPTIONS and UBSAN_OPTIONS: leaks are findings,
# and the first report stops the test.
ctest --preset sanitize -j"$jobs"

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
