#include "kit/app/Handler.h"

#include "kit/app/Looper.h"
#include "kit/app/OS.h"

namespace {
std::atomic<int32> sNextToken{1};
}

BHandler::BHandler(const char* name)
    : fName(name != nullptr ? name : ""), fToken(sNextToken.fetch_add(1))
{
}

BHandler::~BHandler()
{
    BLooper* looper = Looper();
    if (looper == nullptr || looper == this)
        return;
    looper->Lock();
    looper->RemoveHandler(this);
    looper->Unlock();
}

void BHandler::SetName(const char* name)
{
    fName = name != nullptr ? name : "";
}

void BHandler::MessageReceived(BMessage* message)
{
    if (fNextHandler != nullptr)
        fNextHandler->MessageReceived(message);
}

bool BHandler::LockLooper()
{
    return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
    // The handler may move to another looper while we wait for the lock.
    for (;;) {
        BLooper* looper = Looper();
        if (looper == nullptr)
            return B_BAD_VALUE;
        status_t status = looper->LockWithTimeout(timeout);
        if (status != B_OK)
            return status;
        if (Looper() == looper)
            return B_OK;
        looper->Unlock();
    }
}

void BHandler::UnlockLooper()
{
    if (BLooper* looper = Looper())
        looper->Unlock();
}
