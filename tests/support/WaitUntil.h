// Waiting for something another thread or process does: the condition is
// polled until it holds or the time is up, so a slow machine only makes the
// test slower, never wrong, and a fault cannot hang it.
#pragma once

#include <chrono>
#include <thread>

// True as soon as condition() is; false when it still is not after limit.
template <typename Condition>
bool WaitUntil(Condition&& condition, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
