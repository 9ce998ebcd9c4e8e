#include "kit/app/Messenger.h"

#include "kit/app/Looper.h"
#include "kit/app/LooperRoster.h"
#include "kit/app/OS.h"

using BPrivate::LooperRoster;

BMessenger::BMessenger() = default;

BMessenger::BMessenger(const BHandler* handler, const BLooper* looper, status_t* result)
{
    status_t status = B_OK;
    if (handler == nullptr && looper == nullptr) {
        status = B_BAD_VALUE;
    } else if (handler != nullptr) {
        BLooper* owner = handler->Looper();
        if (owner == nullptr || (looper != nullptr && looper != owner)) {
            status = B_MISMATCHED_VALUES;
        } else {
            fHandler = const_cast<BHandler*>(handler);
            fLooper = owner;
            fHandlerToken = handler->fToken;
        }
    } else {
        fLooper = const_cast<BLooper*>(looper);
        fPreferred = true;
    }
    if (fLooper != nullptr)
        fLooperToken = fLooper->fToken;
    if (result != nullptr)
        *result = status;
}

bool BMessenger::IsValid() const
{
    if (fLooper == nullptr || !LooperRoster::Default().IsLooperLive(fLooperToken))
        return false;
    if (fPreferred)
        return true;
    // The handler may have left its looper; ask the looper, not the handler.
    BLooper* looper = nullptr;
    while (LooperRoster::Default().TryLockLooper(fLooperToken, &looper) == B_WOULD_BLOCK)
        snooze(500);
    if (looper == nullptr)
        return false;
    bool attached = looper->IndexOf(fHandler) >= 0 && fHandler->fToken == fHandlerToken;
    looper->Unlock();
    return attached;
}

BHandler* BMessenger::Target(BLooper** looper) const
{
    if (looper != nullptr)
        *looper = fLooper;
    return fHandler;
}

status_t BMessenger::SendMessage(uint32 command) const
{
    BMessage message(command);
    return SendMessage(&message);
}

status_t BMessenger::SendMessage(const BMessage* message) const
{
    if (message == nullptr)
        return B_BAD_VALUE;
    if (fLooper == nullptr)
        return B_BAD_PORT_ID;
    // A handler that has left finds no one in the looper and the message is
    // dropped there, as for any post to a removed handler.
    return LooperRoster::Default().PostToLooper(fLooperToken, *message, fHandlerToken, fPreferred);
}

bool BMessenger::LockTarget() const
{
    if (fLooper == nullptr)
        return false;
    // Never block while the roster is held: the looper's thread may be
    // posting through a messenger itself.
    for (;;) {
        BLooper* looper = nullptr;
        status_t status = LooperRoster::Default().TryLockLooper(fLooperToken, &looper);
        if (status == B_OK)
            return true;
        if (status != B_WOULD_BLOCK)
            return false;
        snooze(500);
    }
}

bool BMessenger::operator==(const BMessenger& other) const
{
    return fLooperToken == other.fLooperToken && fHandlerToken == other.fHandlerToken &&
           fPreferred == other.fPreferred;
}
