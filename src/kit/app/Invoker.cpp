#include "kit/app/Invoker.h"

#include "kit/app/Looper.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"

BInvoker::BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper)
    : fMessage(message), fSource(this)
{
    if (handler != nullptr || looper != nullptr)
        SetTarget(handler, looper);
}

BInvoker::BInvoker(BMessage* message, BMessenger target)
    : fMessage(message), fMessenger(target), fSource(this)
{
}

BInvoker::~BInvoker() = default;

status_t BInvoker::SetMessage(BMessage* message)
{
    if (message != fMessage.get())
        fMessage.reset(message);
    return B_OK;
}

uint32 BInvoker::Command() const
{
    return fMessage != nullptr ? fMessage->what : 0;
}

status_t BInvoker::SetTarget(const BHandler* handler, const BLooper* looper)
{
    status_t status = B_OK;
    BMessenger messenger(handler, looper, &status);
    if (status != B_OK)
        return status;
    fMessenger = messenger;
    return B_OK;
}

status_t BInvoker::SetTarget(BMessenger messenger)
{
    fMessenger = messenger;
    return B_OK;
}

BHandler* BInvoker::Target(BLooper** looper) const
{
    return fMessenger.Target(looper);
}

status_t BInvoker::Invoke(BMessage* message)
{
    const BMessage* source = message != nullptr ? message : fMessage.get();
    if (source == nullptr)
        return B_BAD_VALUE;
    BMessage copy(*source);
    copy.AddInt64("when", system_time());
    copy.AddPointer("source", fSource);
    return fMessenger.SendMessage(&copy);
}
