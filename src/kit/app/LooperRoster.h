// The process-wide list of live loopers and the count of work they still
// have: messages queued on running loopers or being handled, and loopers
// winding down after quitting from their own thread. Used by the loopers
// themselves and by wait_for_idle_loopers().
#pragma once

#include <condition_variable>
#include <mutex>
#include <vector>

#include "kit/app/SupportDefs.h"

class BLooper;

namespace BPrivate {

class LooperRoster
{
public:
    static LooperRoster& Default();

    void AddLooper(BLooper* looper);
    void RemoveLooper(BLooper* looper);
    int32 CountLoopers() const;
    BLooper* LooperForThread(thread_id thread) const;

    // Work is added before the thing that may create more work finishes, so
    // the count only reaches zero when nothing is left anywhere.
    void AddWork(int64 count);
    void WorkDone(int64 count);
    status_t WaitForIdle(bigtime_t timeout);

private:
    LooperRoster() = default;

    mutable std::mutex fLock;
    std::condition_variable fIdle;
    std::vector<BLooper*> fLoopers;
    int64 fPendingWork = 0;
};

} // namespace BPrivate
