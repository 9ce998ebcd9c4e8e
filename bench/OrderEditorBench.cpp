// How fast the order editor is on the generated projects, on the headless
// backend:
// - opening it (controls built, the first order and its jobs shown, the
//   first frame drawn): at most 30 ms on 300 x 10,000;
// - paging to the next order (">>": typed text applied, the order looked up
//   by id, its fields and jobs shown and drawn): at most 2 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchProject.h"
#include "editors/OrderWindow.h"
#include "kit/app/Message.h"
#include "kit/display/HeadlessDriver.h"

namespace {

constexpr BRect kFrame(90, 50, 90 + 439, 50 + 281);

// One project open at a time: the lists are single instances.
void open_project(int sizeIndex)
{
    static int openIndex = -1;
    if (openIndex == sizeIndex)
        return;
    QuietStdout quiet;
    if (openIndex >= 0)
        CloseBenchProject();
    OpenBenchProject(GeneratedFolder(sizeIndex));
    openIndex = sizeIndex;
}

void close_window(OrderWindow* window, HeadlessDriver& driver)
{
    QuietStdout quiet;
    window->Lock();
    window->Quit();
    driver.WaitForIdle();
}

void BM_OpenOrderEditor(benchmark::State& state)
{
    open_project(int(state.range(0)));
    HeadlessDriver driver;
    for (auto _ : state) {
        OrderWindow::o_ptr = 0;
        OrderWindow* window = nullptr;
        {
            QuietStdout quiet;
            window = new OrderWindow(kFrame);
            driver.WaitForIdle();
        }
        state.PauseTiming();
        close_window(window, driver);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOrderEditor)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PageForward(benchmark::State& state)
{
    open_project(int(state.range(0)));
    HeadlessDriver driver;
    OrderWindow* window = nullptr;
    {
        QuietStdout quiet;
        window = new OrderWindow(kFrame);
        driver.WaitForIdle();
    }
    BMessage forward('OFWD');
    for (auto _ : state) {
        QuietStdout quiet;
        window->Lock();
        window->MessageReceived(&forward);
        window->UpdateIfNeeded();
        window->Unlock();
    }
    close_window(window, driver);
}
BENCHMARK(BM_PageForward)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
