#include "kit/app/Application.h"

#include <mutex>
#include <vector>

#include "kit/app/AppDefs.h"
#include "kit/app/Debug.h"
#include "kit/app/DisplayPump.h"
#include "kit/app/IdleLoopers.h"
#include "kit/app/Messenger.h"

BApplication* be_app = nullptr;

namespace {
std::atomic<DisplayPump*> sDisplayPump{nullptr};

constexpr bigtime_t kWindowsWindDown = 2'000'000;

// The application by messenger: other threads post through it and never
// touch be_app, which its destructor clears.
std::mutex sAppLock;
BMessenger sApp;
} // namespace

status_t post_to_application(const BMessage& message)
{
    BMessenger app;
    {
        std::lock_guard guard(sAppLock);
        app = sApp;
    }
    return app.SendMessage(&message);
}

BApplication::BApplication(const char* signature)
    : BLooper("application"), fSignature(signature != nullptr ? signature : "")
{
    ASSERT_WITH_MESSAGE(be_app == nullptr, "BApplication: there is already an application");
    be_app = this;
    std::lock_guard guard(sAppLock);
    sApp = BMessenger(nullptr, this);
}

BApplication::~BApplication()
{
    std::lock_guard guard(sAppLock);
    if (be_app == this) {
        be_app = nullptr;
        sApp = BMessenger();
    }
}

thread_id BApplication::Run()
{
    // Chosen once, so that Wake() reaches the pump that is running.
    fPump = sDisplayPump.load();
    PostMessage(B_READY_TO_RUN);
    thread_id thread = BLooper::Run();
    if (thread < 0)
        return thread;
    if (fPump != nullptr)
        fPump->RunUntil([this] { return fLoopEnded.load(); });
    fThread.join();
    // Windows still handle what the application posted them last and wind
    // down on their threads; they may use the application meanwhile, so it
    // stays until they are done.
    wait_for_idle_loopers(kWindowsWindDown);
    return thread;
}

void BApplication::Quit()
{
    ASSERT_WITH_MESSAGE(IsLocked(), "BApplication::Quit(): the application must be locked");
    _RequestStop();
}

void BApplication::_LoopEnded()
{
    fLoopEnded = true;
    if (fPump != nullptr)
        fPump->Wake();
}

void BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
    if (handler != this)
        return BLooper::DispatchMessage(message, handler);

    switch (message->what) {
    case B_READY_TO_RUN:
        return ReadyToRun();
    case B_ARGV_RECEIVED:
        return _ArgvReceived(message);
    case B_REFS_RECEIVED:
        return RefsReceived(message);
    case B_ABOUT_REQUESTED:
        return AboutRequested();
    default:
        return BLooper::DispatchMessage(message, handler);
    }
}

void BApplication::ReadyToRun() {}

void BApplication::ArgvReceived(int32, char**) {}

void BApplication::RefsReceived(BMessage*) {}

void BApplication::AboutRequested() {}

void BApplication::_ArgvReceived(BMessage* message)
{
    std::vector<std::string> args;
    std::string arg;
    for (int32 i = 0; message->FindString("argv", i, &arg) == B_OK; i++)
        args.push_back(arg);

    std::vector<char*> argv;
    for (std::string& each : args)
        argv.push_back(each.data());
    argv.push_back(nullptr);
    ArgvReceived(static_cast<int32>(args.size()), argv.data());
}

void BApplication::SetDisplayPump(DisplayPump* pump)
{
    sDisplayPump = pump;
}

DisplayPump* BApplication::CurrentDisplayPump()
{
    return sDisplayPump;
}
