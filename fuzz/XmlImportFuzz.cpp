// Arbitrary bytes as an XML project file dropped on a window of the open
// project (the first byte picks the window): whatever is added must be whole
// (every job has a worker of the list, every day reads back as a day) and the
// counts must match what the lists gained. Now and then the merged project
// is written as XML again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "exchange/XmlExport.h"
#include "exchange/XmlFile.h"
#include "exchange/XmlImport.h"
#include "kit/app/Message.h"
#include "kit/display/HeadlessDriver.h"

// Fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

namespace {

void CloseProject()
{
    if (STOrder* orders = STOrder::Existing())
        orders->DeleteMe();
    if (STWorker* workers = STWorker::Existing())
        workers->DeleteMe();
    if (STHolidays* holidays = STHolidays::Existing())
        holidays->DeleteMe();
}

// One worker and one order with its first job, from files that are missing.
void OpenProject()
{
    // The ready-hole warning would add an alert to every input.
    prefsdata.fetch_and(~VTa_PB_READY_HIR);
    DEFS_WKO_IO = "fuzzplan";
    DEFS_ORD_IO = "fuzzplan";
    STHolidays::getSTHolidays();
    STWorker::getSTWorker();
    STOrder::getSTOrder();
}

void Check(bool ok, const char* what)
{
    if (!ok) {
        fprintf(stderr, "broken: %s\n", what);
        abort();
    }
}

void CheckWhole(STWorker& workers, STOrder& orders)
{
    for (int32 i = 0; i <= workers.GetWMax(); i++) {
        Worker* worker = workers.GetWorker(i);
        for (const DayList* days : {&worker->u_days, &worker->i_days}) {
            for (const auto& day : *days)
                Check(CDay2str(day.get()).size() == 10, "a day that is no day");
        }
    }
    for (int32 i = 0; i <= orders.GetOMax(); i++) {
        for (const auto& job : orders.GetOrder(i)->jobs)
            Check(workers.GetWorkerWithID(job->j_id) != nullptr, "a job without its worker");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static HeadlessDriver driver;
    const std::string& root = FuzzProgramFolder();
    static int runs = 0;
    if (runs++ % 32 == 0) {
        CloseProject();
        OpenProject();
    }
    STWorker* workers = STWorker::getSTWorker();
    STOrder* orders = STOrder::getSTOrder();
    STHolidays* holidays = STHolidays::getSTHolidays();
    Check(workers != nullptr && orders != nullptr && holidays != nullptr, "the project");

    static constexpr int32 kModes[] = {kSpliceAll, kSpliceWorkers, kSpliceOrders};
    const int32 mode = size > 0 ? kModes[data[0] % 3] : kSpliceAll;
    const std::string path = WriteFuzzFile(root + "/defs", "drop.xml", size > 0 ? data + 1 : data,
                                           size > 0 ? size - 1 : 0);
    const int32 workersBefore = workers->GetWMax();
    const int32 ordersBefore = orders->GetOMax();
    const int32 holidaysBefore = holidays->CountHolidays();

    // The whole drop with its summary alert now and then; else its readers
    // alone, which is many times faster.
    if (runs % 16 == 0) {
        BMessage drop('DATA');
        entry_ref ref(path);
        drop.AddRef("refs", &ref);
        XML_Splice(&drop, mode);
    } else if (std::optional<XmlFile> file = XmlFile::Open(path)) {
        ExistTag(*file, "<VT_proj>");
        if (mode == kSpliceAll)
            ScanForHolidays(*file);
        if (mode != kSpliceOrders)
            ScanForWorkers(*file);
        else
            added_w = 0;
        if (mode != kSpliceWorkers)
            ScanForJobs(*file);
        else
            added_o = 0;
        if (mode != kSpliceAll)
            added_h = 0;
    }

    Check(workers->GetWMax() - workersBefore == added_w, "workers counted");
    Check(orders->GetOMax() - ordersBefore == added_o, "orders counted");
    Check(holidays->CountHolidays() - holidaysBefore == added_h, "holidays counted");
    CheckWhole(*workers, *orders);
    if (runs % 8 == 0)
        XML_Save();

    // The alerts are windows of their own; answer them all.
    if (driver.Alerts().empty())
        return 0;
    driver.WaitForIdle();
    for (int i = 0; i < 100 && driver.AnswerAlert(0) == B_OK; i++)
        driver.WaitForIdle();
    driver.ClearAlerts();
    return 0;
}
