// How long a posted message takes to reach its handler on another thread.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>

#include "kit/app/Looper.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"

namespace {

class EchoLooper : public BLooper
{
public:
    EchoLooper() : BLooper("echo") {}

    void MessageReceived(BMessage* message) override
    {
        if (message->what != 'PING') {
            BLooper::MessageReceived(message);
            return;
        }
        std::lock_guard<std::mutex> guard(fLock);
        fArrived = system_time();
        fDone = true;
        fChanged.notify_one();
    }

    bigtime_t WaitForArrival()
    {
        std::unique_lock<std::mutex> guard(fLock);
        fChanged.wait(guard, [this] { return fDone; });
        fDone = false;
        return fArrived;
    }

private:
    std::mutex fLock;
    std::condition_variable fChanged;
    bool fDone = false;
    bigtime_t fArrived = 0;
};

void BM_PostToHandler(benchmark::State& state)
{
    EchoLooper* looper = new EchoLooper;
    looper->Run();
    BMessage message('PING');
    message.AddString("name", "order 4711");
    message.AddInt32("index", 12);

    for (auto _ : state) {
        bigtime_t posted = system_time();
        looper->PostMessage(&message);
        bigtime_t arrived = looper->WaitForArrival();
        state.SetIterationTime((arrived - posted) / 1e6);
    }

    looper->Lock();
    looper->Quit();
}
BENCHMARK(BM_PostToHandler)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CopyMessage(benchmark::State& state)
{
    BMessage message('OADD');
    message.AddString("fname", "template");
    message.AddInt32("index", 12);
    message.AddPointer("order", &state);
    for (auto _ : state) {
        BMessage copy(message);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_CopyMessage);

} // namespace
