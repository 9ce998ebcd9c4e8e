// The main window on the hand-made workshop of CalFixture (workers 1 to 3,
// today Monday 2002/12/09), worked through HeadlessDriver. The application
// object is stood in for by an AppPostRecorder: the test plays its part by
// posting 'Oyes', 'WB_A' ... to the window itself.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppPost.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "data/STOrder.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuItem.h"
#include "planner/CalView.h"
#include "planner/CalenderWin.h"
#include "scheduling/Plans.h"

extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// Ten orders, each one job of worker 1 or 2.
inline std::string TenOrders()
{
    std::string text;
    for (int i = 0; i < 10; i++) {
        const std::string day = "2002/12/" + std::to_string(12 + i);
        text += PlanOrder("A-" + std::to_string(i), day, 1, {{1 + i % 2, 800, 1, 3}});
    }
    return text;
}

struct MainWindow
{
    // open: the order list exists and the application has told the window
    // ('Oyes', then 'WB_A' as after opening a project).
    explicit MainWindow(bool open = true, int32 mode = DSM_WORKER,
                        BRect frame = BRect(100, 100, 899, 499))
    {
        DaStMode = mode;
        PrevTime = 3;
        shop.folder.Write("defs/plan.vto", TenOrders() + "; ---");
        if (open) {
            Printed([&] { list = STOrder::getSTOrder(); });
            ord_exist = 1;
            wko_exist = 1;
        } else {
            DEFS_ORD_IO.clear();
        }
        Printed([&] {
            win = new CalenderWin(frame);
            win->Show();
            driver.WaitForIdle();
            if (open) {
                Send(BMessage('WB_A'));
                Send(BMessage('Oyes'));
            }
        });
        posts.Clear();
    }

    ~MainWindow()
    {
        Quit();
        ord_exist = 0;
        wko_exist = 0;
    }

    void Quit()
    {
        if (win == nullptr)
            return;
        win->AllowQuit();
        Printed([&] {
            if (win->Lock())
                win->Quit();
        });
        win = nullptr;
    }

    // Posts to the window as the application would, and waits.
    void Send(const BMessage& message)
    {
        BMessage copy(message);
        win->PostMessage(&copy);
        driver.WaitForIdle();
    }

    template <typename Function>
    auto Locked(Function&& f)
    {
        win->Lock();
        struct Unlock
        {
            BWindow* w;
            ~Unlock() { w->Unlock(); }
        } unlock{win};
        return f();
    }

    BMenuItem* ItemFor(uint32 code)
    {
        return Locked([&] { return win->MainMenu()->FindItem(code); });
    }

    bool Enabled(uint32 code)
    {
        return Locked([&] {
            BMenuItem* item = win->MainMenu()->FindItem(code);
            return item != nullptr && item->IsEnabled();
        });
    }

    int32 Bars()
    {
        return Locked([&] { return win->Calendar()->CountBars(); });
    }

    std::vector<uint32> Codes() const { return posts.Codes(); }

    // The labels of a menu's items, separators as "--".
    std::vector<std::string> Labels(BMenu* menu)
    {
        return Locked([&] {
            std::vector<std::string> labels;
            for (int32 i = 0; i < menu->CountItems(); i++) {
                BMenuItem* item = menu->ItemAt(i);
                const std::string label = item->LabelText();
                labels.push_back(label.empty() ? "--" : label);
            }
            return labels;
        });
    }

    OrderWorkshop shop;
    STOrder* list = nullptr;
    AppPostRecorder posts;
    HeadlessDriver driver;
    CalenderWin* win = nullptr;
};
