// Scheduling on generated projects: checking every order (the backward
// lay-out of all jobs), one F1 run and a whole F2 run. F1 and F2 change
// the plan, so the plan dates are put back (F5) between iterations, outside
// the timing.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "ProjectGenerator.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"

namespace {

constexpr const char* kProject = "schedplan";

const std::string& GeneratedFolder(int sizeIndex)
{
    static std::map<int, std::string> folders;
    auto found = folders.find(sizeIndex);
    if (found != folders.end())
        return found->second;
    static const ProjectSize kSizes[] = {kSmallProject, kMediumProject, kLargeProject};
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vantrel-sched-XXXXXX").string();
    std::string root = mkdtemp(pattern.data());
    if (!GenerateProject(root, kProject, kSizes[sizeIndex]))
        fprintf(stderr, "cannot write the project into %s\n", root.c_str());
    return folders[sizeIndex] = root;
}

// The commands print a few lines per order; keep them out of the figures.
class QuietStdout
{
public:
    QuietStdout()
    {
        fflush(stdout);
        fSaved = dup(STDOUT_FILENO);
        FILE* null = fopen("/dev/null", "w");
        dup2(fileno(null), STDOUT_FILENO);
        fclose(null);
    }
    ~QuietStdout()
    {
        fflush(stdout);
        dup2(fSaved, STDOUT_FILENO);
        close(fSaved);
    }

private:
    int fSaved;
};

// Opens the generated project of this size for the benchmark's lifetime.
class OpenProject
{
public:
    explicit OpenProject(int sizeIndex)
    {
        path2app = GeneratedFolder(sizeIndex) + "/vantrel";
        prefsdata |= VTa_USE_HOLIDAY;
        DEFS_ORD_IO = kProject;
        DEFS_WKO_IO = kProject;
        STHolidays::getSTHolidays();
        STWorker::getSTWorker();
        orders = STOrder::getSTOrder();
    }
    ~OpenProject()
    {
        if (STOrder* list = STOrder::Existing())
            list->DeleteMe();
        if (STWorker* workers = STWorker::Existing())
            workers->DeleteMe();
        if (STHolidays* holidays = STHolidays::Existing())
            holidays->DeleteMe();
    }

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
