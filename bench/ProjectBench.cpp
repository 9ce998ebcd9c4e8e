// Opening and saving generated projects of three sizes: loading the holiday,
// worker and order files and checking every order, then writing both
// project files. Peak resident memory is reported as a counter.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "BenchProject.h"
#include "data/STOrder.h"
#include "data/STWorker.h"

namespace {

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_OpenProject(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    const std::string& root = GeneratedFolder(sizeIndex);
    QuietStdout quiet;
    for (auto _ : state) {
        OpenBenchProject(root);
        state.PauseTiming();
        CloseBenchProject();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

void BM_SaveProject(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    const std::string& root = GeneratedFolder(sizeIndex);
    QuietStdout quiet;
    OpenBenchProject(root);
    for (auto _ : state) {
        STWorker::getSTWorker()->SaveWorkerList();
        STOrder::getSTOrder()->SaveOrderList();
    }
    CloseBenchProject();
}

} // namespace

// 0: 20 x 200, 1: 100 x 2,000, 2: 300 x 10,000.
BENCHMARK(BM_OpenProject)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_SaveProject)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
