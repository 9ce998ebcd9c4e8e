// Opening and saving generated projects of three sizes: loading the holiday,
// worker and order files and checking every order, then writing both
// project files. Peak resident memory is reported as a counter.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
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

constexpr const char* kProject = "benchplan";

// One generated program folder per size, kept for the whole run.
const std::string& ProgramFolder(int sizeIndex)
{
    static std::map<int, std::string> folders;
    auto found = folders.find(sizeIndex);
    if (found != folders.end())
        return found->second;
    static const ProjectSize kSizes[] = {kSmallProject, kMediumProject, kLargeProject};
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-bench-XXXXXX").string();
    std::string root = mkdtemp(pattern.data());
    if (!GenerateProject(root, kProject, kSizes[sizeIndex]))
        fprintf(stderr, "cannot write the project into %s\n", root.c_str());
    return folders[sizeIndex] = root;
}

// The lists print a few lines each; keep them out of the figures.
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

void OpenProject(int sizeIndex)
{
    path2app = ProgramFolder(sizeIndex) + "/vantrel";
    DEFS_ORD_IO = kProject;
    DEFS_WKO_IO = kProject;
    STHolidays::getSTHolidays();
    STWorker::getSTWorker();
    STOrder::getSTOrder(); // loads and checks every order
}

void CloseProject()
{
    if (STOrder* orders = STOrder::Existing())
        orders->DeleteMe();
    if (STWorker* workers = STWorker::Existing())
        workers->DeleteMe();
    if (STHolidays* holidays = STHolidays::Existing())
        holidays->DeleteMe();
}

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_OpenProject(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    ProgramFolder(sizeIndex);
    prefsdata |= VTa_USE_HOLIDAY;
    QuietStdout quiet;
    for (auto _ : state) {
        OpenProject(sizeIndex);
        state.PauseTiming();
        CloseProject();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

void BM_SaveProject(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    ProgramFolder(sizeIndex);
    prefsdata |= VTa_USE_HOLIDAY;
    QuietStdout quiet;
    OpenProject(sizeIndex);
    for (auto _ : state) {
        STWorker::getSTWorker()->SaveWorkerList();
        STOrder::getSTOrder()->SaveOrderList();
    }
    CloseProject();
}

} // namespace

// 0: 20 x 200, 1: 100 x 2,000, 2: 300 x 10,000.
BENCHMARK(BM_OpenProject)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_SaveProject)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
