// The process-wide list of live loopers and the count of work they still
// have: messages queued on running loopers or being handled, and loopers
// winding down after quitting from their own thread. Used by the loopers
// themselves and by wait_for_idle_loopers().
#pragma once

#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

#include "kit/app/SupportDefs.h"

class BLooper;
class BMessage;

namespace BPrivate {

class LooperRoster
{
public:
    static LooperRoster& Default();

    void AddLooper(BLooper* looper);
    void RemoveLooper(BLooper* looper);
    int32 CountLoopers() const;
    BLooper* LooperForThread(thread_id thread) const;

    // Messengers reach a looper through its token: the looper counts as
    // live from its constructor until its destructor starts, and the post
    // happens under the same lock, so it never reaches freed memory.
    status_t PostToLooper(int32 looperToken, const BMessage& message, int32 handlerToken,
                          bool usePreferred);
    bool IsLooperLive(int32 looperToken) const;
    // Tries to lock the live looper without waiting; B_WOULD_BLOCK when
    // another thread holds it, B_BAD_PORT_ID when it is gone.
    status_t TryLockLooper(int32 looperToken, BLooper** looper);

    // Work is added before the thing that may create more work finishes, so
    // the count only reaches zero when nothing is left anywhere.
    void AddWork(int64 count);
    void WorkDone(int64 count);
    status_t WaitForIdle(bigtime_t timeout);

private:
    LooperRoster() = default;
    BLooper* _LiveLooper(int32 looperToken) const;

    // Separate from fLock: posting takes the looper's queue lock, which in
    // turn takes fLock to count the work.
    mutable std::mutex fLiveLock;
    std::vector<std::pair<int32, BLooper*>> fLive;

    mutable std::mutex fLock;
    std::condition_variable fIdle;
    std::vector<BLooper*> fLoopers;
    int64 fPendingWork = 0;
};

} // namespace BPrivate
