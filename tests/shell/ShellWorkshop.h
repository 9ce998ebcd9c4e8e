// What the application tests share: a private program folder with the
// project "plan" (from the data tests' golden files), stand-in windows that
// record what reaches them, and the makers that register them with VTApp.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/AppPost.h"
#include "app/Globals.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "kit/app/AppDefs.h"
#include "kit/app/IdleLoopers.h"
#include "kit/app/Looper.h"
#include "kit/app/ProgramLauncher.h"
#include "shell/VTApp.h"
#include "support/FileContents.h"
#include "support/ProgramFolder.h"

// What one stand-in window received, kept after the window has gone.
struct WindowLog
{
    mutable std::mutex lock;
    std::vector<BMessage> messages;
    int made = 0;
    std::atomic<bool> refuseQuit{false};
    // Text typed but not yet applied: applied when the application asks
    // ('OAPL', 'WAPP') and on closing, as the editors do.
    std::function<void()> typed;

    std::vector<uint32> Codes(bool withTitles = false) const
    {
        std::lock_guard guard(lock);
        std::vector<uint32> codes;
        for (const BMessage& message : messages) {
            if (withTitles || message.what != kWindowSetTitle)
                codes.push_back(message.what);
        }
        return codes;
    }
    std::string LastTitle() const
    {
        std::lock_guard guard(lock);
        std::string title;
        for (const BMessage& message : messages) {
            if (message.what == kWindowSetTitle)
                title = message.GetString("title", "");
        }
        return title;
    }
    void Clear()
    {
        std::lock_guard guard(lock);
        messages.clear();
    }
};

// A window as the application sees one: it records what reaches it, and
// asked to quit it reports its closing (or, when it refuses, B_CANCEL); the
// main window asks the application and closes when it approves.
class StandInWindow : public BLooper
{
public:
    StandInWindow(std::shared_ptr<WindowLog> log, WindowRole role)
        : BLooper("stand-in"), fLog(std::move(log)), fRole(role)
    {
    }

    void MessageReceived(BMessage* message) override
    {
        _Record(*message);
        if (message->what == 'OAPL' || message->what == 'WAPP')
            _ApplyTyped();
        if (message->what == 'OAPL' && message->HasInt32("reply"))
            PostToApp(uint32(message->GetInt32("reply", 0)));
        BMessage then;
        if (message->what == 'WAPP' && message->FindMessage("then", &then) == B_OK)
            PostToApp(then);
    }

    bool QuitRequested() override
    {
        _Record(BMessage(B_QUIT_REQUESTED));
        _ApplyTyped();
        if (fLog->refuseQuit) {
            BMessage cancel(B_CANCEL);
            cancel.AddInt32("target", int32(fRole));
            PostToApp(cancel);
            return false;
        }
        if (fRole == WindowRole::kMainWindow) {
            // As the main window: it asks, and goes only when approved.
            const BMessage* current = CurrentMessage();
            if (current != nullptr && current->GetBool(kQuitApproved, false))
                return true;
            PostToApp('X_OW');
            PostToApp('VTCC');
            return false;
        } else {
            PostToApp(fRole == WindowRole::kOrderEditor ? 'VTOC' : 'VTWC');
        }
        return true;
    }

private:
    void _ApplyTyped()
    {
        std::function<void()> typed;
        {
            std::lock_guard guard(fLog->lock);
            typed = std::exchange(fLog->typed, {});
        }
        if (typed)
            typed();
    }

    void _Record(const BMessage& message)
    {
        std::lock_guard guard(fLog->lock);
        fLog->messages.push_back(message);
    }

    std::shared_ptr<WindowLog> fLog;
    WindowRole fRole;
};

struct ShellWorkshop
{
    ShellWorkshop()
    {
        folder.Write("defs/plan.vto", GoldenFile("data", "plan.vto"));
        folder.Write("defs/plan.vtw", GoldenFile("data", "plan.vtw"));
        ProgramLauncher::SetRecorder([this](const std::vector<std::string>& argv) {
            std::lock_guard guard(launchLock);
            launches.push_back(argv);
        });
    }

    ~ShellWorkshop()
    {
        ProgramLauncher::SetRecorder({});
        if (STOrder* orders = STOrder::Existing())
            orders->DeleteMe();
        if (STWorker* workers = STWorker::Existing())
            workers->DeleteMe();
        if (STHolidays* holidays = STHolidays::Existing())
            holidays->DeleteMe();
        DEFS_WKO_IO.clear();
        DEFS_ORD_IO.clear();
        ord_exist = 0;
        wko_exist = 0;
    }

    // Registers makers of stand-in windows for every role.
    std::function<void(WindowRegistry&)> Makers()
    {
        return [this](WindowRegistry& windows) {
            for (WindowRole role :
                 {WindowRole::kWorkerEditor, WindowRole::kOrderEditor, WindowRole::kMainWindow})
                windows.SetMaker(role, [this, role]() -> BLooper* {
                    std::shared_ptr<WindowLog> log = Log(role);
                    log->made++;
                    // As the editors do when they are built.
                    if (role != WindowRole::kMainWindow)
                        STWorker::getSTWorker();
                    if (role == WindowRole::kOrderEditor)
                        STOrder::getSTOrder();
                    log->refuseQuit = refuse == role;
                    auto* window = new StandInWindow(log, role);
                    window->Run();
                    return window;
                });
        };
    }

    std::shared_ptr<WindowLog> Log(WindowRole role) { return logs[size_t(role) - 1]; }

    // The project "plan" open as the editors open it.
    void OpenPlan()
    {
        DEFS_WKO_IO = "plan";
        DEFS_ORD_IO = "plan";
        ASSERT_NE(STWorker::getSTWorker(), nullptr);
        ASSERT_NE(STOrder::getSTOrder(), nullptr);
    }

    std::vector<std::vector<std::string>> Launches()
    {
        std::lock_guard guard(launchLock);
        return launches;
    }

    ProgramFolder folder;
    std::vector<std::shared_ptr<WindowLog>> logs{std::make_shared<WindowLog>(),
                                                 std::make_shared<WindowLog>(),
                                                 std::make_shared<WindowLog>()};
    std::optional<WindowRole> refuse;
    std::mutex launchLock;
    std::vector<std::vector<std::string>> launches;
};

inline BMessage Command(uint32 what)
{
    return BMessage(what);
}

inline BMessage Command(uint32 what, const char* field, const std::string& text)
{
    BMessage message(what);
    message.AddString(field, text);
    return message;
}

// codes holds wanted in this order, others may come between.
inline bool InOrder(const std::vector<uint32>& codes, const std::vector<uint32>& wanted)
{
    auto at = codes.begin();
    for (uint32 code : wanted) {
        at = std::find(at, codes.end(), code);
        if (at == codes.end())
            return false;
        ++at;
    }
    return true;
}

inline std::string Captured(const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}
