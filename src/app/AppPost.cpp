#include "app/AppPost.h"

#include <atomic>

#include "kit/app/Application.h"

static std::atomic<AppPostRecorder*> sRecorder{nullptr};

status_t PostToApp(const BMessage& message)
{
    if (AppPostRecorder* recorder = sRecorder.load()) {
        recorder->_Record(message);
        return B_OK;
    }
    return post_to_application(message);
}

status_t PostToApp(uint32 what)
{
    return PostToApp(BMessage(what));
}

AppPostRecorder::AppPostRecorder() : fPrevious(sRecorder.exchange(this)) {}

AppPostRecorder::~AppPostRecorder()
{
    sRecorder.store(fPrevious);
}

void AppPostRecorder::_Record(const BMessage& message)
{
    std::lock_guard lock(fMutex);
    fMessages.push_back(message);
}

std::vector<BMessage> AppPostRecorder::Messages() const
{
    std::lock_guard lock(fMutex);
    return fMessages;
}

std::vector<uint32> AppPostRecorder::Codes() const
{
    std::lock_guard lock(fMutex);
    std::vector<uint32> codes;
    for (const BMessage& message : fMessages)
        codes.push_back(message.what);
    return codes;
}

void AppPostRecorder::Clear()
{
    std::lock_guard lock(fMutex);
    fMessages.clear();
}
