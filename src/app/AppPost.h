// Posting a command to the application object. The lists and records post
// their notices ('Oyes', 'WBRO', 'OCHK' ...) here; without an application
// object (tools, tests) the post goes nowhere. Tests record the posts with
// AppPostRecorder.
#pragma once

#include <mutex>
#include <vector>

#include "kit/app/Message.h"

// B_OK when it was queued (or recorded).
status_t PostToApp(const BMessage& message);
status_t PostToApp(uint32 what);

// While one exists, posts are recorded here instead of reaching be_app.
class AppPostRecorder
{
public:
    AppPostRecorder();
    ~AppPostRecorder();
    AppPostRecorder(const AppPostRecorder&) = delete;
    AppPostRecorder& operator=(const AppPostRecorder&) = delete;

    std::vector<BMessage> Messages() const;
    // The what codes in posting order.
    std::vector<uint32> Codes() const;
    void Clear();

private:
    friend status_t PostToApp(const BMessage& message);
    void _Record(const BMessage& message);

    mutable std::mutex fMutex;
    std::vector<BMessage> fMessages;
    AppPostRecorder* fPrevious;
};
