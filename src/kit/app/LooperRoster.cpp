#include "kit/app/LooperRoster.h"

#include <algorithm>
#include <chrono>

#include "kit/app/Debug.h"
#include "kit/app/Looper.h"

namespace BPrivate {

LooperRoster& LooperRoster::Default()
{
    // Never destroyed: loopers may still come and go while statics unwind.
    static LooperRoster* sRoster = new LooperRoster;
    return *sRoster;
}

void LooperRoster::AddLooper(BLooper* looper)
{
    {
        std::lock_guard lock(fLiveLock);
        fLive.emplace_back(looper->fToken, looper);
    }
    std::lock_guard lock(fLock);
    fLoopers.push_back(looper);
}

void LooperRoster::RemoveLooper(BLooper* looper)
{
    {
        std::lock_guard lock(fLiveLock);
        std::erase_if(fLive, [looper](const auto& entry) { return entry.second == looper; });
    }
    std::lock_guard lock(fLock);
    std::erase(fLoopers, looper);
}

status_t LooperRoster::PostToLooper(int32 looperToken, const BMessage& message, int32 handlerToken,
                                    bool usePreferred)
{
    std::lock_guard lock(fLiveLock);
    BLooper* looper = _LiveLooper(looperToken);
    if (looper == nullptr)
        return B_BAD_PORT_ID;
    return looper->_PostToToken(message, handlerToken, usePreferred);
}

bool LooperRoster::IsLooperLive(int32 looperToken) const
{
    std::lock_guard lock(fLiveLock);
    return _LiveLooper(looperToken) != nullptr;
}

status_t LooperRoster::TryLockLooper(int32 looperToken, BLooper** _looper)
{
    std::lock_guard lock(fLiveLock);
    BLooper* looper = _LiveLooper(looperToken);
    if (looper == nullptr)
        return B_BAD_PORT_ID;
    if (looper->LockWithTimeout(0) != B_OK)
        return B_WOULD_BLOCK;
    *_looper = looper;
    return B_OK;
}

BLooper* LooperRoster::_LiveLooper(int32 looperToken) const
{
    for (const auto& [token, looper] : fLive) {
        if (token == looperToken)
            return looper;
    }
    return nullptr;
}

int32 LooperRoster::CountLoopers() const
{
    std::lock_guard lock(fLock);
    return static_cast<int32>(fLoopers.size());
}

BLooper* LooperRoster::LooperForThread(thread_id thread) const
{
    std::lock_guard lock(fLock);
    auto it = std::find_if(fLoopers.begin(), fLoopers.end(),
                           [thread](BLooper* looper) { return looper->Thread() == thread; });
    return it != fLoopers.end() ? *it : nullptr;
}

void LooperRoster::AddWork(int64 count)
{
    std::lock_guard lock(fLock);
    fPendingWork += count;
}

void LooperRoster::WorkDone(int64 count)
{
    std::lock_guard lock(fLock);
    fPendingWork -= count;
    ASSERT_WITH_MESSAGE(fPendingWork >= 0, "LooperRoster: more work done than was added");
    if (fPendingWork <= 0)
        fIdle.notify_all();
}

status_t LooperRoster::WaitForIdle(bigtime_t timeout)
{
    std::unique_lock lock(fLock);
    constexpr bigtime_t kLongest = 365LL * 24 * 3600 * 1'000'000;
    timeout = std::clamp<bigtime_t>(timeout, 0, kLongest);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::microseconds(timeout);
    bool idle = fIdle.wait_until(lock, deadline, [this] { return fPendingWork <= 0; });
    return idle ? B_OK : B_TIMED_OUT;
}

} // namespace BPrivate
