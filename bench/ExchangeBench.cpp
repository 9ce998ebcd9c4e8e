// The exchange on generated projects of three sizes: writing the XML project
// file, merging it into a freshly opened empty project, and the two reports
// (handed to a recorder instead of the desktop).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "BenchProject.h"
#include "app/Globals.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "exchange/XmlExport.h"
#include "exchange/XmlImport.h"
#include "kit/app/Message.h"
#include "kit/app/ProgramLauncher.h"
#include "kit/display/HeadlessDriver.h"

namespace {

constexpr const char* kProject = kBenchProject;
const ProjectSize kSizes[] = {kSmallProject, kMediumProject, kLargeProject};

std::string MakeFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vantrel-bench-XXXXXX").string();
    return mkdtemp(pattern.data());
}

const std::string& ProgramFolder(int sizeIndex)
{
    return GeneratedFolder(sizeIndex);
}

// Nothing is started; the reports only record what they would open.
class NoLaunches
{
public:
    NoLaunches()
    {
        ProgramLauncher::SetRecorder([](const std::vector<std::string>&) {});
    }
    ~NoLaunches() { ProgramLauncher::SetRecorder(nullptr); }
};

void OpenProject(const std::string& root, const char* project)
{
    OpenBenchProject(root, project);
}

void CloseProject()
{
    CloseBenchProject();
}

void AnswerAlerts(HeadlessDriver& driver)
{
    driver.WaitForIdle();
    for (int i = 0; i < 1000 && driver.AnswerAlert(0) == B_OK; i++)
        driver.WaitForIdle();
    driver.ClearAlerts();
}

void BM_ExportXml(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    prefsdata |= VTa_USE_HOLIDAY;
    QuietStdout quiet;
    OpenProject(ProgramFolder(sizeIndex), kProject);
    for (auto _ : state) {
        if (!XML_Save())
            state.SkipWithError("the export failed");
    }
    CloseProject();
}

// The export of the project, dropped on the main window of an empty project
// in a program folder of its own.
void BM_ImportXml(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    prefsdata |= VTa_USE_HOLIDAY;
    HeadlessDriver driver;
    QuietStdout quiet;
    const std::string source = ProgramFolder(sizeIndex);
    OpenProject(source, kProject);
    XML_Save();
    CloseProject();

    const std::string target = MakeFolder();
    std::filesystem::create_directories(target + "/defs");
    std::filesystem::create_directories(target + "/templates");
    const std::string xml = target + "/defs/dropped.xml";
    std::filesystem::copy_file(source + "/defs/" + kProject + ".xml", xml);
    BMessage drop('DATA');
    entry_ref ref(xml);
    drop.AddRef("refs", &ref);

    for (auto _ : state) {
        state.PauseTiming();
        CloseProject();
        std::filesystem::remove(target + "/defs/holiday.vth");
        OpenProject(target, "noname");
        state.ResumeTiming();

        XML_Splice(&drop, kSpliceAll);

        state.PauseTiming();
        if (added_o.load() != kSizes[sizeIndex].orders)
            state.SkipWithError("not every order was imported");
        AnswerAlerts(driver);
        state.ResumeTiming();
    }
    CloseProject();
    std::filesystem::remove_all(target);
}

// The export dropped on its own project: every record is refused, after a
// look at every order of the list.
void BM_ImportXmlOnItself(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    prefsdata |= VTa_USE_HOLIDAY;
    HeadlessDriver driver;
    QuietStdout quiet;
    const std::string folder = ProgramFolder(sizeIndex);
    OpenProject(folder, kProject);
    XML_Save();
    const std::string xml = folder + "/defs/dropped.xml";
    std::filesystem::copy_file(folder + "/defs/" + kProject + ".xml", xml,
                               std::filesystem::copy_options::overwrite_existing);
    BMessage drop('DATA');
    entry_ref ref(xml);
    drop.AddRef("refs", &ref);

    for (auto _ : state) {
        XML_Splice(&drop, kSpliceAll);

        state.PauseTiming();
        if (added_o.load() != 0 || added_w.load() != 0)
            state.SkipWithError("records were taken twice");
        AnswerAlerts(driver);
        state.ResumeTiming();
    }
    CloseProject();
}

void BM_HtmlReport(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    prefsdata |= VTa_USE_HOLIDAY;
    NoLaunches noLaunches;
    QuietStdout quiet;
    OpenProject(ProgramFolder(sizeIndex), kProject);
    STLabel::getSTLabel();
    // Every column and the open jobs under each order.
    const std::string form = "01234567oi";
    for (auto _ : state) {
        if (!STOrder::getSTOrder()->UserDefOut(form))
            state.SkipWithError("the page was not written");
    }
    CloseProject();
}

void BM_TextList(benchmark::State& state)
{
    const int sizeIndex = int(state.range(0));
    prefsdata |= VTa_USE_HOLIDAY;
    NoLaunches noLaunches;
    QuietStdout quiet;
    OpenProject(ProgramFolder(sizeIndex), kProject);
    STLabel::getSTLabel();
    for (auto _ : state) {
        if (STOrder::getSTOrder()->PrintListAsc() != 1)
            state.SkipWithError("the list was not written");
    }
    CloseProject();
}

} // namespace

// 0: 20 x 200, 1: 100 x 2,000, 2: 300 x 10,000.
BENCHMARK(BM_ExportXml)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportXml)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportXmlOnItself)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HtmlReport)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextList)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
