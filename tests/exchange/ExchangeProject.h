// The small hand-made project "plan" of golden/ in a private program folder
// for the export, import and report tests: two holidays, two workers
// (off-days over a year end, an illness day, a name with '<'), three orders
// (a bar that needs repairing, one beyond the byte of the grid, a closed
// order). Order ids start at 1; launches and alerts are recorded.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "kit/app/ProgramLauncher.h"
#include "kit/display/HeadlessDriver.h"
#include "support/FileContents.h"
#include "support/ProgramFolder.h"

inline std::string Printed(const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

inline std::string ExchangeGolden(const std::string& name)
{
    return GoldenFile("exchange", name);
}

// The order list goes first: its jobs need the workers.
inline void CloseLists()
{
    Printed([] {
        if (STOrder* orders = STOrder::Existing())
            orders->DeleteMe();
        if (STWorker* workers = STWorker::Existing())
            workers->DeleteMe();
        if (STHolidays* holidays = STHolidays::Existing())
            holidays->DeleteMe();
    });
}

struct ExchangeProject
{
    // project null: nothing open yet.
    explicit ExchangeProject(const char* project = "plan")
    {
        prefsdata.fetch_and(~VTa_PB_READY_HIR);
        prefsdata.fetch_or(VTa_USE_HOLIDAY);
        for (const char* file : {"holiday.vth", "plan.vtw", "plan.vto"})
            folder.Write(std::string("defs/") + file, ExchangeGolden(file));
        ProgramLauncher::SetRecorder([this](const auto& argv) { launched.push_back(argv); });
        driver.ClearAlerts();
        if (project != nullptr)
            Open(project);
    }

    ~ExchangeProject()
    {
        AnswerAlerts();
        CloseLists();
        STLabel::DeleteMe();
        ProgramLauncher::SetRecorder(nullptr);
        DEFS_WKO_IO.clear();
        DEFS_ORD_IO.clear();
    }

    void Open(const char* project)
    {
        CloseLists();
        Order::sNr = 0;
        DEFS_WKO_IO = project;
        DEFS_ORD_IO = project;
        Printed([this] {
            holidays = STHolidays::getSTHolidays();
            workers = STWorker::getSTWorker();
            orders = STOrder::getSTOrder();
        });
    }

    // The texts of the alerts shown since the last call, all answered.
    std::vector<std::string> AnswerAlerts()
    {
        driver.WaitForIdle();
        std::vector<std::string> texts;
        for (const AlertRecord& alert : driver.Alerts())
            texts.push_back(alert.text);
        for (int i = 0; i < 1000 && driver.AnswerAlert(0) == B_OK; i++)
            driver.WaitForIdle();
        driver.ClearAlerts();
        return texts;
    }

    ProgramFolder folder;
    HeadlessDriver driver;
    STHolidays* holidays = nullptr;
    STWorker* workers = nullptr;
    STOrder* orders = nullptr;
    std::vector<std::vector<std::string>> launched;
};
