// What a harness expects of the code it feeds: a broken expectation stops
// the run at once, so libFuzzer keeps the input as a finding.
#pragma once

inline void fuzz_check(bool condition)
{
    if (!condition)
        __builtin_trap();
}
