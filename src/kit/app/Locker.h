// A lock that the owning thread may take again; it is free once every Lock()
// has been matched by an Unlock().
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>

#include "kit/app/SupportDefs.h"

class BLocker
{
public:
    BLocker();
    explicit BLocker(const char* name);
    explicit BLocker(bool benaphoreStyle);
    BLocker(const char* name, bool benaphoreStyle);
    virtual ~BLocker();

    BLocker(const BLocker&) = delete;
    BLocker& operator=(const BLocker&) = delete;

    status_t InitCheck() const { return B_OK; }
    const char* Name() const { return fName.c_str(); }

    bool Lock();
    // B_OK, or B_TIMED_OUT when another thread kept the lock that long.
    status_t LockWithTimeout(bigtime_t timeout);
    // Unlocking a lock the caller does not hold is a programmer error.
    void Unlock();

    // B_ERROR when nobody holds the lock.
    thread_id LockingThread() const;
    // Held by the calling thread.
    bool IsLocked() const;
    // Nesting depth of the holder; 0 when free.
    int32 CountLocks() const;

private:
    friend class BLooper;

    // Releases every nested lock of the calling thread and returns how many
    // there were, so a looper can step aside while its thread winds down.
    int32 _UnlockAll();

    mutable std::mutex fMutex;
    std::condition_variable fReleased;
    thread_id fOwner = B_ERROR;
    int32 fCount = 0;
    std::string fName;
};
