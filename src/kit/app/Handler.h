// Something that receives messages inside a looper.
#pragma once

#include <atomic>
#include <string>

#include "kit/app/SupportDefs.h"

class BLooper;
class BMessage;
namespace BPrivate {
class LooperRoster;
}

class BHandler
{
public:
    explicit BHandler(const char* name = nullptr);
    // A handler still attached to a looper removes itself (taking the lock).
    virtual ~BHandler();

    BHandler(const BHandler&) = delete;
    BHandler& operator=(const BHandler&) = delete;

    const char* Name() const { return fName.c_str(); }
    void SetName(const char* name);

    // The looper this handler was added to, or null.
    BLooper* Looper() const { return fLooper.load(std::memory_order_acquire); }

    // Default: hand the message to the next handler, if there is one.
    virtual void MessageReceived(BMessage* message);

    void SetNextHandler(BHandler* handler) { fNextHandler = handler; }
    BHandler* NextHandler() const { return fNextHandler; }

    // Locks the looper and checks that the handler still belongs to it.
    bool LockLooper();
    status_t LockLooperWithTimeout(bigtime_t timeout);
    void UnlockLooper();

private:
    friend class BLooper;
    friend class BMessenger;
    friend class BPrivate::LooperRoster;

    std::string fName;
    std::atomic<BLooper*> fLooper{nullptr};
    BHandler* fNextHandler = nullptr;
    // Queued messages name their target by token, never by pointer, so a
    // message for a handler that is gone finds nobody instead of freed memory.
    const int32 fToken;
};
