#include "bench/bench_support.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    // The channels write their log lines to the current directory; keep
    // them out of the caller's.
    bench::Scratch_directory scratch;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
