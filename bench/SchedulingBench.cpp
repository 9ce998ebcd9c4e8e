// Scheduling on generated projects: checking every order (the backward
// lay-out of all jobs), one F1 run and a whole F2 run. F1 and F2 change
// the plan, so the plan dates are put back (F5) between iterations, outside
// the timing.
#include <benchmark/benchmark.h>

#include "BenchProject.h"
#include "data/STOrder.h"

namespace {

// Opens the generated project of this size for the benchmark's lifetime.
class OpenProject
{
public:
    explicit OpenProject(int sizeIndex)
    {
        OpenBenchProject(GeneratedFolder(sizeIndex));
        orders = STOrder::getSTOrder();
    }
    ~OpenProject() { CloseBenchProject(); }

    STOrder* orders = nullptr;
};

void BM_CheckAllOrders(benchmark::State& state)
{
    GeneratedFolder(int(state.range(0)));
    QuietStdout quiet;
    OpenProject project(int(state.range(0)));
    for (auto _ : state)
        project.orders->CheckAllOrders();
}

void BM_OneF1Run(benchmark::State& state)
{
    GeneratedFolder(int(state.range(0)));
    QuietStdout quiet;
    OpenProject project(int(state.range(0)));
    for (auto _ : state) {
        project.orders->OptimiertDiffTimesA();
        state.PauseTiming();
        project.orders->RestorePDL();
        state.ResumeTiming();
    }
}

void BM_WholeF2Run(benchmark::State& state)
{
    GeneratedFolder(int(state.range(0)));
    QuietStdout quiet;
    OpenProject project(int(state.range(0)));
    for (auto _ : state) {
        project.orders->OptimiertDiffTimesE();
        state.PauseTiming();
        project.orders->RestorePDL();
        state.ResumeTiming();
    }
}

} // namespace

// 0: 20 x 200, 1: 100 x 2,000, 2: 300 x 10,000.
BENCHMARK(BM_CheckAllOrders)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_OneF1Run)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_WholeF2Run)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_WholeF2Run)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
