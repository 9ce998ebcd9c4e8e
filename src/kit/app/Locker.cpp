#include "kit/app/Locker.h"

#include <algorithm>
#include <chrono>

#include "kit/app/Debug.h"
#include "kit/app/OS.h"

BLocker::BLocker() : BLocker(nullptr, true) {}

BLocker::BLocker(const char* name) : BLocker(name, true) {}

BLocker::BLocker(bool benaphoreStyle) : BLocker(nullptr, benaphoreStyle) {}

BLocker::BLocker(const char* name, bool) : fName(name != nullptr ? name : "some BLocker") {}

BLocker::~BLocker() = default;

bool BLocker::Lock()
{
    return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BLocker::LockWithTimeout(bigtime_t timeout)
{
    thread_id self = find_thread(nullptr);
    std::unique_lock lock(fMutex);
    if (fOwner == self) {
        fCount++;
        return B_OK;
    }

    // Beyond a year the deadline arithmetic could overflow; nobody means it.
    constexpr bigtime_t kForever = 365LL * 24 * 3600 * 1'000'000;
    auto isFree = [this] { return fCount == 0; };
    if (timeout >= kForever) {
        fReleased.wait(lock, isFree);
    } else {
        auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::microseconds(std::max<bigtime_t>(timeout, 0));
        if (!fReleased.wait_until(lock, deadline, isFree))
            return B_TIMED_OUT;
    }
    fOwner = self;
    fCount = 1;
    return B_OK;
}

void BLocker::Unlock()
{
    std::unique_lock lock(fMutex);
    ASSERT_WITH_MESSAGE(fOwner == find_thread(nullptr),
                        "BLocker::Unlock(): the calling thread does not hold the lock");
    if (fOwner != find_thread(nullptr))
        return;
    if (--fCount > 0)
        return;
    fOwner = B_ERROR;
    // Notified under the mutex: the next owner may delete this lock as soon
    // as it can take it.
    fReleased.notify_one();
}

int32 BLocker::_UnlockAll()
{
    std::unique_lock lock(fMutex);
    if (fOwner != find_thread(nullptr))
        return 0;
    int32 count = fCount;
    fCount = 0;
    fOwner = B_ERROR;
    fReleased.notify_one();
    return count;
}

thread_id BLocker::LockingThread() const
{
    std::lock_guard lock(fMutex);
    return fOwner;
}

bool BLocker::IsLocked() const
{
    std::lock_guard lock(fMutex);
    return fOwner == find_thread(nullptr);
}

int32 BLocker::CountLocks() const
{
    std::lock_guard lock(fMutex);
    return fCount;
}
