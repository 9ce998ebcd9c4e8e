#include "kit/app/Application.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TestLatch.h"
#include "kit/app/AppDefs.h"
#include "kit/app/DisplayPump.h"
#include "kit/app/OS.h"

namespace {

using namespace std::chrono_literals;

std::string CodeText(uint32 code)
{
    return {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
}

// Written on the application thread, read after Run() has joined it.
class TestApp : public BApplication
{
public:
    TestApp() : BApplication("application/x-vnd.test-app") {}

    void ReadyToRun() override
    {
        calls.push_back("ReadyToRun");
        if (onReady)
            onReady(this);
    }

    void ArgvReceived(int32 argc, char** argv) override
    {
        calls.push_back("Argv");
        for (int32 i = 0; i < argc; i++)
            args.push_back(argv[i]);
        argvTerminated = argv[argc] == nullptr;
    }

    void RefsReceived(BMessage* message) override
    {
        calls.push_back("Refs");
        entry_ref ref;
        if (message->FindRef("refs", &ref) == B_OK)
            refPath = ref.path;
    }

    void AboutRequested() override { calls.push_back("About"); }

    bool QuitRequested() override
    {
        calls.push_back("QuitRequested");
        return quitRequests++ >= refusals;
    }

    void MessageReceived(BMessage* message) override
    {
        calls.push_back(CodeText(message->what));
        if (message->what == 'QUIT')
            Quit();
        if (message->what == 'NEXT')
            PostMessage(B_QUIT_REQUESTED);
    }

    std::function<void(TestApp*)> onReady;
    int refusals = 0;
    int quitRequests = 0;
    std::vector<std::string> calls;
    std::vector<std::string> args;
    bool argvTerminated = false;
    std::string refPath;
};

// Runs the application on this thread; a loop that never ends fails the test
// run loudly instead of hanging it.
thread_id RunBounded(BApplication& app)
{
    TestLatch done;
    std::thread watchdog([&done] {
        if (!done.Wait(10s)) {
            std::fprintf(stderr, "BApplication::Run() did not return\n");
            std::abort();
        }
    });
    thread_id thread = app.Run();
    done.Set();
    watchdog.join();
    return thread;
}

TEST(ApplicationTest, HooksRunInPostingOrderAndTheObjectOutlivesRun)
{
    auto app = std::make_unique<TestApp>();
    EXPECT_EQ(be_app, app.get());
    EXPECT_STREQ(app->Signature(), "application/x-vnd.test-app");

    BMessage argv(B_ARGV_RECEIVED);
    argv.AddInt32("argc", 2);
    argv.AddString("argv", "vantrel");
    argv.AddString("argv", "plan file.xml");
    app->PostMessage(&argv);
    BMessage refs(B_REFS_RECEIVED);
    entry_ref ref("/tmp/dropped.xml");
    refs.AddRef("refs", &ref);
    app->PostMessage(&refs);
    app->PostMessage(B_ABOUT_REQUESTED);
    app->onReady = [](TestApp* self) { self->PostMessage(B_QUIT_REQUESTED); };

    thread_id thread = RunBounded(*app);

    EXPECT_NE(thread, find_thread(nullptr));
    EXPECT_EQ(app->calls,
              (std::vector<std::string>{"Argv", "Refs", "About", "ReadyToRun", "QuitRequested"}));
    EXPECT_EQ(app->args, (std::vector<std::string>{"vantrel", "plan file.xml"}));
    EXPECT_TRUE(app->argvTerminated);
    EXPECT_EQ(app->refPath, "/tmp/dropped.xml");

    // What the program does while tearing down: lock, post (refused), unlock.
    ASSERT_TRUE(app->Lock());
    EXPECT_EQ(app->PostMessage('VTCC'), B_BAD_PORT_ID);
    app->Unlock();
    app.reset();
    EXPECT_EQ(be_app, nullptr);
}

TEST(ApplicationTest, RefusingQuitRequestedKeepsItRunning)
{
    TestApp app;
    app.refusals = 1;
    app.onReady = [](TestApp* self) {
        self->PostMessage(B_QUIT_REQUESTED);
        self->PostMessage('NEXT');
    };

    RunBounded(app);

    EXPECT_EQ(app.calls, (std::vector<std::string>{"ReadyToRun", "QuitRequested", CodeText('NEXT'),
                                                   "QuitRequested"}));
}

TEST(ApplicationTest, QuitFromAHandlerSkipsWhatIsStillQueued)
{
    TestApp app;
    app.onReady = [](TestApp* self) {
        self->PostMessage('QUIT');
        self->PostMessage('LATE');
    };

    RunBounded(app);

    EXPECT_EQ(app.calls, (std::vector<std::string>{"ReadyToRun", CodeText('QUIT')}));
}

TEST(ApplicationTest, QuitFromAnotherThreadHoldingTheLock)
{
    TestApp app;
    TestLatch ready;
    app.onReady = [&ready](TestApp*) { ready.Set(); };
    std::thread quitter([&ready] {
        if (!ready.Wait())
            return;
        be_app->Lock();
        be_app->Quit();
        be_app->Unlock();
    });

    RunBounded(app);
    quitter.join();

    EXPECT_EQ(app.calls, (std::vector<std::string>{"ReadyToRun"}));
    EXPECT_FALSE(app.IsLocked());
}

class FakePump : public DisplayPump
{
public:
    void RunUntil(const std::function<bool()>& quitting) override
    {
        std::unique_lock lock(fMutex);
        ranOn = find_thread(nullptr);
        returnedAfterQuit = fWoken.wait_for(lock, 10s, [&] { return woken && quitting(); });
    }

    void Wake() override
    {
        std::lock_guard lock(fMutex);
        woken = true;
        fWoken.notify_all();
    }

    thread_id ranOn = B_ERROR;
    bool woken = false;
    bool returnedAfterQuit = false;

private:
    std::mutex fMutex;
    std::condition_variable fWoken;
};

TEST(ApplicationTest, RunLendsTheCallingThreadToTheDisplayPump)
{
    FakePump pump;
    BApplication::SetDisplayPump(&pump);
    std::unique_ptr<DisplayPump, void (*)(DisplayPump*)> restore(
        &pump, [](DisplayPump*) { BApplication::SetDisplayPump(nullptr); });

    TestApp app;
    app.onReady = [](TestApp* self) { self->PostMessage('QUIT'); };
    RunBounded(app);

    EXPECT_EQ(pump.ranOn, find_thread(nullptr));
    EXPECT_TRUE(pump.woken);
    EXPECT_TRUE(pump.returnedAfterQuit);
}

} // namespace

TEST(ApplicationTest, PostsFromOtherThreadsReachTheApplicationWhileItLives)
{
    {
        TestApp app;
        app.onReady = [](TestApp* self) {
            std::thread([] { post_to_application(BMessage('FROM')); }).join();
            self->PostMessage('QUIT');
        };
        RunBounded(app);
        EXPECT_EQ(app.calls,
                  (std::vector<std::string>{"ReadyToRun", CodeText('FROM'), CodeText('QUIT')}));
    }
    // Gone: refused, never delivered to freed memory.
    EXPECT_EQ(post_to_application(BMessage('LATE')), B_BAD_PORT_ID);
}
