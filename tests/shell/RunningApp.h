// The application made, run and deleted on a thread of its own, as main()
// does on the main thread, with the stand-in windows of a ShellWorkshop.
#pragma once

#include <atomic>
#include <cstdlib>
#include <thread>

#include "ShellWorkshop.h"
#include "support/WaitUntil.h"

class RunningApp
{
public:
    explicit RunningApp(ShellWorkshop& shop)
    {
        fThread = std::thread([this, &shop] {
            ReadyApp app(shop.Makers());
            fApp = &app;
            app.Run();
            fEnded = true;
        });
        if (!WaitUntil([this] { return fApp.load() != nullptr && fApp.load()->ready; }))
            std::abort();
    }

    ~RunningApp()
    {
        if (fThread.joinable())
            Quit();
    }

    // Only while the loop runs.
    void Post(BMessage message) { fApp.load()->PostMessage(&message); }
    VTApp& App() { return *fApp.load(); }
    bool Ended() const { return fEnded; }

    // Quits as the user does; a loop that does not end stops the tests
    // instead of hanging them.
    void Quit()
    {
        if (!fEnded)
            Post(BMessage(B_QUIT_REQUESTED));
        std::atomic<bool> ended{false};
        std::thread joiner([this, &ended] {
            fThread.join();
            ended = true;
        });
        if (!WaitUntil([&ended] { return ended.load(); }))
            std::abort();
        joiner.join();
    }

private:
    class ReadyApp : public VTApp
    {
    public:
        using VTApp::VTApp;
        void ReadyToRun() override { ready = true; }
        std::atomic<bool> ready{false};
    };

    std::atomic<ReadyApp*> fApp{nullptr};
    std::thread fThread;
    std::atomic<bool> fEnded{false};
};
