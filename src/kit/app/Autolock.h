// Holds a lock for the lifetime of a scope.
#pragma once

#include "kit/app/Locker.h"
#include "kit/app/Looper.h"

class BAutolock
{
public:
    explicit BAutolock(BLocker* locker) : fLocker(locker), fLooper(nullptr)
    {
        fIsLocked = fLocker->Lock();
    }
    explicit BAutolock(BLocker& locker) : BAutolock(&locker) {}
    explicit BAutolock(BLooper* looper) : fLocker(nullptr), fLooper(looper)
    {
        fIsLocked = fLooper->Lock();
    }
    ~BAutolock() { Unlock(); }

    BAutolock(const BAutolock&) = delete;
    BAutolock& operator=(const BAutolock&) = delete;

    bool IsLocked() const { return fIsLocked; }

    void Unlock()
    {
        if (!fIsLocked)
            return;
        fIsLocked = false;
        if (fLooper != nullptr)
            fLooper->Unlock();
        else
            fLocker->Unlock();
    }

private:
    BLocker* fLocker;
    BLooper* fLooper;
    bool fIsLocked;
};
