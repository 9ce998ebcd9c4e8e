// How long window updates take on the headless backend: a full redraw of a
// planner-sized window (1200 x 606, 300 row views holding 2,000 small
// views, each a fill, a bevel and a short text, all of them visible) and
// the redraw of one small view. Targets: 16 ms and 0.5 ms median.
//
// "Update" posts the invalidation and waits until the window thread has
// drawn and presented the frame; "UpdateIfNeeded" draws on the calling
// thread under the window's lock, without the message hop.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "kit/display/HeadlessDriver.h"
#include "kit/interface/View.h"
#include "kit/interface/Window.h"

namespace {

constexpr int kRows = 300;
constexpr int kChildren = 2000;
constexpr int kColumns = 10;
constexpr float kRowWidth = 120;
constexpr float kRowHeight = 20;

class KnobView : public BView
{
public:
    KnobView(BRect frame, int number)
        : BView(frame, "knob", B_FOLLOW_NONE, B_WILL_DRAW), fLabel(std::to_string(number % 100))
    {
        SetViewColor(B_TRANSPARENT_COLOR);
    }

    void Draw(BRect) override
    {
        BRect bounds = Bounds();
        SetHighColor(120, 170, 230);
        FillRect(bounds);
        SetHighColor(240, 245, 255);
        StrokeLine(bounds.LeftBottom(), bounds.LeftTop());
        StrokeLine(bounds.RightTop());
        SetHighColor(60, 80, 120);
        StrokeLine(bounds.RightBottom());
        StrokeLine(bounds.LeftBottom());
        SetHighColor(0, 0, 0);
        DrawString(fLabel.c_str(), BPoint(2, bounds.bottom - 4));
    }

private:
    std::string fLabel;
};

class RowView : public BView
{
public:
    explicit RowView(BRect frame) : BView(frame, "row", B_FOLLOW_NONE, B_WILL_DRAW)
    {
        SetViewColor(235, 235, 235);
    }

    void Draw(BRect) override
    {
        SetHighColor(200, 200, 200);
        StrokeLine(BPoint(0, Bounds().bottom), Bounds().RightBottom());
    }
};

struct Planner
{
    Planner()
    {
        window = new BWindow(BRect(0, 0, 1199, 605), "bench", B_TITLED_WINDOW, 0);
        int made = 0;
        for (int row = 0; row < kRows; row++) {
            float left = (row / (kRows / kColumns)) * kRowWidth;
            float top = (row % (kRows / kColumns)) * kRowHeight;
            auto* rowView =
                new RowView(BRect(left, top, left + kRowWidth - 1, top + kRowHeight - 1));
            // 2,000 children spread as evenly as they go over 300 rows.
            int until = (row + 1) * kChildren / kRows;
            for (int knob = 0; made < until; knob++, made++) {
                float x = 1 + knob * 17;
                rowView->AddChild(new KnobView(BRect(x, 1, x + 15, 17), made));
            }
            if (row == kRows / 2)
                small = rowView->ChildAt(0);
            window->AddChild(rowView);
        }
        window->Show();
        driver.WaitForIdle();
    }

    HeadlessDriver driver;
    BWindow* window;
    BView* small = nullptr;
};

// Made once and left for the process's end, like a program's main window.
Planner& planner()
{
    static Planner* shared = new Planner;
    return *shared;
}

void redraw_through_loop(benchmark::State& state, bool full)
{
    Planner& p = planner();
    for (auto _ : state) {
        p.window->Lock();
        if (full) {
            for (int32 i = 0; i < p.window->CountChildren(); i++)
                p.window->ChildAt(i)->Invalidate();
        } else {
            p.small->Invalidate();
        }
        p.window->Unlock();
        p.driver.WaitForIdle();
    }
}

void redraw_on_caller(benchmark::State& state, bool full)
{
    Planner& p = planner();
    for (auto _ : state) {
        p.window->Lock();
        if (full) {
            for (int32 i = 0; i < p.window->CountChildren(); i++)
                p.window->ChildAt(i)->Invalidate();
        } else {
            p.small->Invalidate();
        }
        p.window->UpdateIfNeeded();
        p.window->Unlock();
    }
    // The update queued by the invalidations finds nothing left to draw.
    p.driver.WaitForIdle();
}

void BM_FullRedraw_Update(benchmark::State& state)
{
    redraw_through_loop(state, true);
}
BENCHMARK(BM_FullRedraw_Update)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void BM_FullRedraw_UpdateIfNeeded(benchmark::State& state)
{
    redraw_on_caller(state, true);
}
BENCHMARK(BM_FullRedraw_UpdateIfNeeded)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

void BM_SmallView_Update(benchmark::State& state)
{
    redraw_through_loop(state, false);
}
BENCHMARK(BM_SmallView_Update)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5);

void BM_SmallView_UpdateIfNeeded(benchmark::State& state)
{
    redraw_on_caller(state, false);
}
BENCHMARK(BM_SmallView_UpdateIfNeeded)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(5);

} // namespace
