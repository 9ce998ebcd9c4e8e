// The worker editor on the workshop of OrderWorkshop (Anna Berg id 1,
// bert Cramer id 2, Idle id 3; today Monday 2002/12/09), worked like a
// user. There is no application object: its posts are recorded, and
// Relay() hands the ones the router forwards to the worker editor on to
// the window, as the application would.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/AppPost.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "editors/LimitedTextControl.h"
#include "editors/WeekView.h"
#include "editors/WorkoutWindow.h"
#include "kit/app/Autolock.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/Window.h"
#include "scheduling/Plans.h"
#include "widgets/CardDriving.h"
#include "widgets/TIOView.h"

// What the router of the application forwards to the worker editor.
inline const std::set<uint32> kToWorkerEditor = {'DAYa', 'DAYT', 'DAYp', 'DAYs', '3000',
                                                 '3123', 'WUI!', 'WUI+', 'WUI-', 'WUIx',
                                                 'WUIy', 'WUIz', 'WNA_', 'WOPR', 'WDel'};

// A copy of what a worker holds, taken under the list's lock.
struct WorkerCopy
{
    std::string name, alias, kost;
    int8 multiuse = 0;
    wkoweek week{};
    TInt hours = 0;
};

class WorkerEditorDriving : public testing::Test
{
protected:
    // orders: order-file lines (Plans.h PlanOrder).
    void Open(const std::string& orders = "")
    {
        OpenPlan(shop, orders);
        Printed([&] {
            WorkoutWindow::w_ptr = 0;
            window = new WorkoutWindow();
            driver.WaitForIdle();
        });
    }

    void TearDown() override
    {
        Close();
        driver.WaitForIdle();
    }

    void Close()
    {
        if (window == nullptr)
            return;
        Printed([&] {
            if (window->Lock())
                window->Quit();
            driver.WaitForIdle();
        });
        window = nullptr;
    }

    // Until nothing more is on its way to the window.
    void Relay()
    {
        for (int round = 0; round < 20; round++) {
            driver.WaitForIdle();
            std::vector<BMessage> all = posts.Messages();
            bool sent = false;
            for (size_t i = fRelayed; i < all.size(); i++) {
                if (kToWorkerEditor.count(all[i].what) != 0 && window != nullptr) {
                    window->PostMessage(&all[i]);
                    sent = true;
                }
            }
            fRelayed = all.size();
            if (!sent)
                return;
        }
    }

    // Forgets what was posted so far.
    void ClearPosts()
    {
        Relay();
        posts.Clear();
        fRelayed = 0;
    }

    void Send(const BMessage& message)
    {
        BMessage copy(message);
        window->PostMessage(&copy);
        Relay();
    }

    template <typename View = BView>
    View* Find(const char* name)
    {
        BAutolock lock(window);
        return dynamic_cast<View*>(window->FindView(name));
    }

    void ClickView(const char* name, uint32 buttons = B_PRIMARY_MOUSE_BUTTON)
    {
        driver.Click(window, middle_of(Find(name)), buttons);
        Relay();
    }

    // Clicks into the field, replaces its text by typing, and ends with
    // key (B_ENTER_KEY, B_TAB_KEY) unless it is 0.
    void TypeInto(const char* name, const std::string& text, int32 key = B_ENTER_KEY)
    {
        driver.Click(window, middle_of(Find(name)));
        driver.PressShortcut(window, 'a');
        driver.TypeText(window, text);
        if (key != 0)
            driver.PressKey(window, key);
        Relay();
    }

    // Opens a day editor ("tioA" begin, "tioB" active, "tioC" break) and
    // types into it; Return when enter is set.
    void TypeIntoDay(const char* name, const std::string& text, bool enter = true)
    {
        driver.Click(window, middle_of(Find(name)));
        driver.WaitForIdle();
        driver.PressShortcut(window, 'a');
        driver.TypeText(window, text);
        if (enter)
            driver.PressKey(window, B_ENTER_KEY);
        Relay();
    }

    // A click into the week graph at a fraction of the day's column.
    void ClickDay(float column)
    {
        WeekView* graph = Find<WeekView>("weekv");
        BPoint where;
        {
            BAutolock lock(window);
            const float x = column * graph->ColumnWidth();
            where = window->ConvertFromScreen(graph->ConvertToScreen(BPoint(x, 20)));
        }
        driver.Click(window, where);
        Relay();
    }

    std::string Text(const char* name)
    {
        BAutolock lock(window);
        if (auto* field = dynamic_cast<BTextControl*>(window->FindView(name)))
            return field->Text();
        if (auto* value = dynamic_cast<TIOView*>(window->FindView(name)))
            return value->Value();
        return "?";
    }

    WorkerCopy Copy(int32 id)
    {
        STWorker* workers = STWorker::Existing();
        BAutolock lock(workers->Lock());
        Worker* worker = workers->GetWorkerWithID(id);
        if (worker == nullptr)
            return {};
        return {worker->w_name,   worker->w_alias, worker->w_kost,
                worker->multiuse, *worker->w_week, worker->w_std};
    }

    int32 ShownID()
    {
        BAutolock lock(window);
        return window->ShownWorkerID();
    }

    std::vector<uint32> Codes() const { return posts.Codes(); }

    int Count(uint32 what) const
    {
        int count = 0;
        for (uint32 code : posts.Codes())
            count += code == what;
        return count;
    }

    // The newest alert's OK, and the alert gone.
    void AnswerAlert()
    {
        driver.AnswerAlert(0);
        driver.WaitForIdle();
    }

    std::string LastAlert()
    {
        std::vector<AlertRecord> alerts = driver.Alerts();
        return alerts.empty() ? "" : alerts.back().text;
    }

    OrderWorkshop shop;
    AppPostRecorder posts;
    HeadlessDriver driver;
    WorkoutWindow* window = nullptr;

private:
    size_t fRelayed = 0;
};
