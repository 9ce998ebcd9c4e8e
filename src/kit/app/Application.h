// The application object: the looper that runs the program's commands. Its
// thread is started by Run(), which lends the calling (main) thread to the
// display pump until the application quits. Unlike other loopers it is not
// deleted when it quits: Run() returns and the program deletes it.
#pragma once

#include <atomic>
#include <string>

#include "kit/app/Looper.h"

class BCursor;
class DisplayPump;

class BApplication : public BLooper
{
public:
    explicit BApplication(const char* signature);
    ~BApplication() override;

    const char* Signature() const { return fSignature.c_str(); }

    // Posts B_READY_TO_RUN after whatever was posted before (as argv and
    // refs messages are on the platform), then runs until the application
    // quits and the windows that were closing are gone (at most 2 s).
    // Returns the application thread's id.
    thread_id Run() override;
    // Ends the loop after the current message (from a handler) or at once
    // (from another thread, which holds the lock and unlocks as usual).
    // Run() returns when the loop has ended; the object stays.
    void Quit() override;
    void DispatchMessage(BMessage* message, BHandler* handler) override;

    virtual void ReadyToRun();
    // From B_ARGV_RECEIVED: its "argv" strings ("argc" is their count).
    virtual void ArgvReceived(int32 argc, char** argv);
    virtual void RefsReceived(BMessage* message);
    virtual void AboutRequested();

    // The cursor shown everywhere except over views with a cursor of their
    // own (BView::SetViewCursor()); null for the system default. Defined
    // with BCursor in the interface kit.
    void SetCursor(const void* cursorData);
    void SetCursor(const BCursor* cursor, bool sync = true);

    // The pump for the next Run(); not owned. Null: wait without a display.
    static void SetDisplayPump(DisplayPump* pump);
    static DisplayPump* CurrentDisplayPump();

private:
    void _ArgvReceived(BMessage* message);
    void _LoopEnded() override;

    std::string fSignature;
    DisplayPump* fPump = nullptr;
    std::atomic<bool> fLoopEnded{false};
};

extern BApplication* be_app;

// Posts a copy of message to the application, from any thread: refused with
// B_BAD_PORT_ID when there is none or it is being destroyed, so a window
// winding down after the application ended never reaches freed memory.
status_t post_to_application(const BMessage& message);
