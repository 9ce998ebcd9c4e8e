// A one-shot signal between test threads, with bounded waits so that a
// broken looper fails the test instead of hanging it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class TestLatch
{
public:
    void Set()
    {
        std::lock_guard lock(fMutex);
        fSet = true;
        fChanged.notify_all();
    }

    bool Wait(std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(fMutex);
        return fChanged.wait_for(lock, timeout, [this] { return fSet; });
    }

    bool IsSet()
    {
        std::lock_guard lock(fMutex);
        return fSet;
    }

private:
    std::mutex fMutex;
    std::condition_variable fChanged;
    bool fSet = false;
};
