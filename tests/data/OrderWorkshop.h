// A private program folder with the project "plan" open for the order and
// job tests: workers with ids 1 and 2 (8:00 Monday to Friday) and 3 (never
// working), holidays when asked for, and every list destroyed at the end.
#pragma once

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "app/Globals.h"
#include "app/Settings.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "support/FileContents.h"
#include "support/ProgramFolder.h"

struct OrderWorkshop
{
    explicit OrderWorkshop(const char* holidays = nullptr) : folder()
    {
        prefsdata.fetch_and(~VTa_PB_READY_HIR); // tests that want the warning set it
        if (holidays != nullptr) {
            folder.Write("defs/holiday.vth", holidays);
            prefsdata.fetch_or(VTa_USE_HOLIDAY);
            STHolidays::getSTHolidays();
        }
        std::string text;
        for (const char* worker :
             {"[Anna Berg][AB][-][1]", "[bert Cramer][BC][-][2]", "[Idle][ID][-][3]"}) {
            const char* hours = worker[1] == 'I' ? "0:00" : "8:00";
            text += std::string("; --\n[IT]") + worker + "[0]\n";
            for (const char* day : {"Mo", "Di", "Mi", "Do", "Fr"})
                text += std::string("[WD][") + day + "][7:00][" + hours + "][0:45]\n";
            text += "[WD][Sa][7:00][0:00][0:45]\n[WD][So][7:00][0:00][0:45]\n";
        }
        folder.Write("defs/plan.vtw", text + "; --");
        DEFS_WKO_IO = "plan";
        DEFS_ORD_IO = "plan";
        workers = STWorker::getSTWorker();
    }

    ~OrderWorkshop()
    {
        if (STOrder* orders = STOrder::Existing())
            orders->DeleteMe();
        if (STWorker* list = STWorker::Existing())
            list->DeleteMe();
        if (STHolidays* holidays = STHolidays::Existing())
            holidays->DeleteMe();
        DEFS_WKO_IO.clear();
        DEFS_ORD_IO.clear();
    }

    ProgramFolder folder; // clock pinned to Monday 2002/12/09
    STWorker* workers = nullptr;
};

inline std::string Printed(const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

inline std::string ReadFile(const std::string& path)
{
    return ReadWholeFile(path);
}

inline std::string GoldenFile(const char* name)
{
    return GoldenFile("data", name);
}
