// How fast the calendar is on the generated projects, in a planner-sized
// window (1200 x 606) on the headless backend, three months shown in the
// worker mode:
// - rebuilding all bars and knobs ('WB_A'): 100 x 2,000 at most 20 ms,
//   300 x 10,000 at most 100 ms median;
// - a full redraw with 100 x 2,000 shown: at most 8 ms;
// - one drag step of a knob on 300 x 10,000 (moved and drawn): at most
//   4 ms; the re-lay-out after the drop (the plan date moved, the order
//   checked, its bars rebuilt): at most 10 ms.
// Each runs under the window's lock on the calling thread
// (UpdateIfNeeded), as the window's own thread would.
#include <benchmark/benchmark.h>

#include <map>

#include "BenchProject.h"
#include "app/AppPost.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/STOrder.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/Window.h"
#include "planner/CalView.h"
#include "planner/MoverView.h"
#include "planner/Oknopf.h"
#include "planner/WBalken.h"

namespace {

struct Calendar
{
    explicit Calendar(int sizeIndex)
    {
        QuietStdout quiet;
        OpenBenchProject(GeneratedFolder(sizeIndex));
        DaStMode = DSM_WORKER;
        PrevTime = 3;
        window = new BWindow(BRect(0, 0, 1199, 605), "calendar", B_TITLED_WINDOW, 0);
        cal = new CalView(window->Bounds(), "calview", "", 0, 0);
        window->AddChild(cal);
        window->Show();
        driver.WaitForIdle();
        window->Lock();
        cal->AddWorkerBars();
        window->UpdateIfNeeded();
        window->Unlock();
    }

    ~Calendar()
    {
        window->Lock();
        window->Quit();
        QuietStdout quiet;
        CloseBenchProject();
    }

    // A knob of the first bar, the one most in view.
    Oknopf* FirstKnob() const
    {
        for (int32 i = 0; i < cal->CountBars(); i++) {
            std::vector<Oknopf*> knobs = cal->BarAt(i)->Knobs();
            if (!knobs.empty())
                return knobs.front();
        }
        return nullptr;
    }

    HeadlessDriver driver;
    BWindow* window;
    CalView* cal;
};

// One project open at a time: the lists are single instances.
Calendar& calendar(int sizeIndex)
{
    static std::unique_ptr<Calendar> open;
    static int openIndex = -1;
    if (openIndex != sizeIndex) {
        open.reset();
        open = std::make_unique<Calendar>(sizeIndex);
        openIndex = sizeIndex;
    }
    return *open;
}

void BM_RebuildAllBars(benchmark::State& state)
{
    Calendar& c = calendar(int(state.range(0)));
    QuietStdout quiet;
    for (auto _ : state) {
        c.window->Lock();
        c.cal->AddWorkerBars();
        c.window->Unlock();
    }
    state.counters["knobs"] = double(Oknopf::okn_count);
}
BENCHMARK(BM_RebuildAllBars)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_FullRedraw(benchmark::State& state)
{
    Calendar& c = calendar(1);
    for (auto _ : state) {
        c.window->Lock();
        c.cal->Invalidate();
        c.window->UpdateIfNeeded();
        c.window->Unlock();
    }
}
BENCHMARK(BM_FullRedraw)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_DragStep(benchmark::State& state)
{
    Calendar& c = calendar(2);
    c.window->Lock();
    Oknopf* knob = c.FirstKnob();
    const BPoint home = knob->Frame().LeftTop();
    c.window->Unlock();
    float step = 4;
    for (auto _ : state) {
        c.window->Lock();
        knob->MoveTo(home.x + step, home.y);
        c.window->UpdateIfNeeded();
        c.window->Unlock();
        step = -step;
    }
}
BENCHMARK(BM_DragStep)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_RelayoutAfterDrop(benchmark::State& state)
{
    Calendar& c = calendar(2);
    c.window->Lock();
    const Oknopf::Data data = c.FirstKnob()->KnopfData();
    const BRect frame = c.FirstKnob()->Frame();
    c.window->Unlock();
    AppPostRecorder posts;
    QuietStdout quiet;
    float days = 1;
    for (auto _ : state) {
        c.window->Lock();
        posts.Clear();
        BMessage move('MOVX');
        move.AddInt32("Order", data.orderId);
        move.AddRect("OldPos", frame);
        BRect moved = frame;
        moved.OffsetBy(c.cal->PixelsPerDay() * days * 0.9f, 0);
        move.AddRect("NewPos", moved);
        c.cal->MovingOrder(&move);
        // What the application hands back: the bars the order touches.
        for (BMessage& rebuild : posts.Messages()) {
            if (rebuild.what == 'WBRO')
                c.cal->ReorgThisChildren(&rebuild);
        }
        c.window->UpdateIfNeeded();
        c.window->Unlock();
        days = -days;
    }
}
BENCHMARK(BM_RelayoutAfterDrop)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
