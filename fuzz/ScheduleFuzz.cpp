// Arbitrary bytes as orders, then every optimisation command and the undo
// on them: any dates, hours and bars must end, stay in bounds and give the
// plan dates back on undo.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "FuzzSupport.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "kit/app/Message.h"

namespace {

constexpr const char* kWeek = "[WD][Mo][7:00][8:00][0:45]\n[WD][Di][7:00][8:00][0:45]\n"
                              "[WD][Mi][7:00][8:00][0:45]\n[WD][Do][7:00][4:30][0:45]\n"
                              "[WD][Fr][7:00][8:00][0:45]\n[WD][Sa][7:00][0:00][0:45]\n"
                              "[WD][So][7:00][0:00][0:45]\n";

STOrder* Setup()
{
    return OpenFuzzWorkshop("sched", kWeek, "[UD][2002/12/17][2003/01/07]\n[IL][2002/12/18]\n");
}

std::map<int32, std::string> PlanDates(STOrder* orders)
{
    std::map<int32, std::string> dates;
    for (int32 i = 0; i <= orders->GetOMax(); i++)
        dates[orders->GetOrder(i)->onr] = orders->GetOrder(i)->opdl;
    return dates;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static STOrder* const orders = Setup();
    WriteFuzzFile(FuzzProgramFolder() + "/templates", "input.otp", data, size);
    BMessage use('O+TF');
    use.AddString("fname", "input");
    orders->AddOrderTemplate(&use);
    orders->sortmode = 0;

    // The undo gives back the plan dates as they read (today for a text
    // that is no date), and only those printed in ten characters: a year
    // of five digits reads as today again.
    for (int32 i = 0; i <= orders->GetOMax(); i++) {
        Order* order = orders->GetOrder(i);
        order->NewOPdl(CDay2str(str2CDay(order->opdl).get()));
    }
    auto before = PlanDates(orders);
    std::erase_if(before, [](const auto& entry) { return entry.second.size() != 10; });
    orders->OptimiertDiffTimesA();
    orders->OptimiertDiffTimesC();
    orders->OptimiertDiffTimesD();
    orders->OptimiertDiffTimesB();
    orders->ScanOrderTimes();
    orders->OptimiertDiffTimesE();
    for (int32 i = 0; i <= orders->GetOMax(); i++) {
        for (auto& job : orders->GetOrder(i)->jobs) {
            job->ListUsedDays(job->j_end.hours, &job->j_end);
            job->CalcDaysForward(job->j_beg.hours, &job->j_beg);
        }
    }
    orders->RestorePDL();
    const auto after = PlanDates(orders);
    for (const auto& [id, date] : before) {
        auto found = after.find(id);
        if (found == after.end() || found->second != date) {
            fprintf(stderr, "order %d: %s restored as %s\n", int(id), date.c_str(),
                    found == after.end() ? "-" : found->second.c_str());
            abort();
        }
    }

    while (orders->GetOMax() > 0)
        orders->DeleteSingleOrder(orders->GetOMax());
    return 0;
}
