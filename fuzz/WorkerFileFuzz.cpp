// Arbitrary bytes as a worker file and as a worker template: every worker
// read is tabled, counted and written; what is written reads back to the
// same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "app/Globals.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/app/Message.h"
#include "kit/storage/SafeSave.h"

namespace {

bool LinesShorterThan(const std::string& bytes, size_t limit)
{
    size_t start = 0;
    for (;;) {
        const size_t end = bytes.find('\n', start);
        if ((end == std::string::npos ? bytes.size() : end) - start >= limit)
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

STWorker* OpenList()
{
    if (STWorker* list = STWorker::Existing())
        return list;
    DEFS_WKO_IO = "noname";
    DEFS_ORD_IO = "noname";
    return STWorker::getSTWorker();
}

std::string Written(WorkerList& workers)
{
    std::string out;
    for (const std::unique_ptr<Worker>& worker : workers) {
        worker->SaveAsASC(out);
        out += "; --";
    }
    return out;
}

void Exercise(Worker& worker)
{
    const DayTable& table = worker.DaysTable();
    if (table[kDayTableDays] != '\0')
        abort();
    for (int32 i = 0; i < kDayTableDays; i++) {
        const bool weekday = table[size_t(i)] >= '0' && table[size_t(i)] <= '6';
        if (!weekday && worker.GetTagesStdYD(i, 0) != 0)
            abort();
    }
    if (worker.GetTagesStdYD(-1, 0) != 800 || worker.GetTagesStdYD(kDayTableDays, 0) != 0)
        abort();
    if (!worker.u_days.empty()) {
        const int32 n =
            worker.DiffDaysOverHours(worker.u_days.front().get(), worker.u_days.back().get());
        if (n < 0)
            abort();
        worker.IsUrlaub(CDay2str(worker.u_days.front().get()).c_str());
    }
    worker.TravelDaysForward(worker.fs_point.get(), 4000);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& root = FuzzProgramFolder();
    STWorker* list = OpenList();

    const std::string path = WriteFuzzFile(root + "/defs", "fuzz.vtw", data, size);
    WorkerList workers;
    list->LoadWorker(path, workers);
    for (const std::unique_ptr<Worker>& worker : workers)
        Exercise(*worker);
    const std::string once = Written(workers);

    const std::string input(reinterpret_cast<const char*>(data), size);
    if (LinesShorterThan(input, 200)) {
        SaveWholeFile(path, once);
        WorkerList again;
        list->LoadWorker(path, again);
        const std::string twice = Written(again);
        if (again.size() != workers.size() || twice != once) {
            fprintf(stderr, "written:\n%s\nread back and written:\n%s\n", once.c_str(),
                    twice.c_str());
            abort();
        }
    }

    const std::string templ = WriteFuzzFile(root + "/templates", "fuzz.wtp", data, size);
    WorkerList templates;
    list->LoadWorker(templ, templates);
    for (const std::unique_ptr<Worker>& worker : templates)
        Exercise(*worker);

    // The whole command now and then: emptying the list afterwards waits
    // for the windows, and a list that only grows makes every run a leak
    // check.
    static int runs = 0;
    if (++runs % 64 == 0) {
        BMessage use('W+TF');
        use.AddString("fname", "fuzz");
        list->AddWorkerTemplate(&use);
        for (int32 i = 0; i <= list->GetWMax(); i++) {
            if (list->GetWorker(i)->w_id == 0)
                abort();
        }
        list->DeleteMe();
    }
    return 0;
}
