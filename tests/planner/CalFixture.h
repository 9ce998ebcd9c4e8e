// A calendar in a window of its own on a hand-made plan: the workshop of
// OrderWorkshop (workers 1 and 2 work 8:00 Monday to Friday, 3 never;
// today is Monday 2002/12/09, so the calendar starts on Sunday 2002/12/01
// and three months are 90 days), a holiday on 2002/12/25, the orders given
// as order-file lines, and every post to the application recorded.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/STOrder.h"
#include "kit/display/TestWindow.h"
#include "planner/CalView.h"
#include "planner/Oknopf.h"
#include "planner/WBalken.h"
#include "scheduling/Plans.h"

// fontconfig keeps a few blocks of its configuration parser for the life
// of the process; that is the system library's, not a leak of ours.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

struct CalFixture
{
    // width: the calendar's bounds width. 481 gives the knobs exactly 4
    // pixels per day over 90 days ((481 - 121) / 90).
    CalFixture(const std::string& orders, int32 mode = DSM_WORKER, float width = 481,
               int32 months = 3)
        : shop("[HD][2002/12/25][Weihnachten]\n"),
          test("calendar", BRect(100, 100, 100 + width, 100 + 300))
    {
        DaStMode = mode;
        PrevTime = months;
        list = OpenPlan(shop, orders);
        cal = new CalView(BRect(0, 0, width, 300), "calview", "", 2002, 12);
        cal->SetDisplayMode(mode);
        test.Add(cal);
        Printed([&] {
            test.ShowAndWait();
            Locked([&] { cal->AddWorkerBars(); });
        });
    }

    ~CalFixture()
    {
        if (test.window->Lock())
            test.window->Quit();
        test.window = nullptr;
    }

    template <typename Function>
    void Locked(Function&& f)
    {
        test.Locked(std::forward<Function>(f));
    }

    // Sends a message to the calendar as the application would.
    void Send(const BMessage& message)
    {
        BMessage copy(message);
        test.window->PostMessage(&copy, cal);
        test.driver.WaitForIdle();
    }

    // The knobs' frames of bar row, "left..right@top" each.
    std::string Frames(int32 row)
    {
        std::string text;
        Locked([&] {
            for (Oknopf* knob : cal->BarAt(row)->Knobs()) {
                const BRect f = knob->Frame();
                text += (text.empty() ? "" : " ") + std::to_string(int(f.left)) + ".." +
                        std::to_string(int(f.right)) + "@" + std::to_string(int(f.top));
            }
        });
        return text;
    }

    Order* OrderNamed(const std::string& name)
    {
        for (int32 i = 0; i <= list->GetOMax(); i++) {
            if (list->GetOrder(i)->oauft == name)
                return list->GetOrder(i);
        }
        return nullptr;
    }

    AppPostRecorder posts;
    OrderWorkshop shop;
    STOrder* list = nullptr;
    TestWindow test;
    CalView* cal = nullptr;
};
