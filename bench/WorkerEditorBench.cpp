// How fast the worker editor is on the 300 x 10,000 project, on the
// headless backend:
// - opening it until its first frame is drawn: at most 30 ms;
// - paging to the next worker, drawn: at most 2 ms.
#include <benchmark/benchmark.h>

#include "BenchProject.h"
#include "editors/WorkoutWindow.h"
#include "kit/display/HeadlessDriver.h"

namespace {

struct Project
{
    Project()
    {
        QuietStdout quiet;
        OpenBenchProject(GeneratedFolder(2));
    }
    ~Project()
    {
        QuietStdout quiet;
        CloseBenchProject();
    }
};

Project& project()
{
    static Project open;
    return open;
}

void BM_OpenWorkerEditor(benchmark::State& state)
{
    project();
    HeadlessDriver driver;
    for (auto _ : state) {
        WorkoutWindow* window;
        {
            QuietStdout quiet;
            window = new WorkoutWindow();
            driver.WaitForIdle();
        }
        state.PauseTiming();
        {
            QuietStdout quiet;
            window->Lock();
            window->Quit();
            driver.WaitForIdle();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWorkerEditor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PageWorker(benchmark::State& state)
{
    project();
    HeadlessDriver driver;
    WorkoutWindow* window;
    {
        QuietStdout quiet;
        window = new WorkoutWindow();
        driver.WaitForIdle();
    }
    for (auto _ : state) {
        window->Lock();
        window->ZeigeWorker(WorkoutWindow::w_ptr + 1);
        window->UpdateIfNeeded();
        window->Unlock();
    }
    QuietStdout quiet;
    window->Lock();
    window->Quit();
    driver.WaitForIdle();
}
BENCHMARK(BM_PageWorker)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
