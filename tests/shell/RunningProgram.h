// The whole program on the headless backend, as main() runs it: the
// application with the real main window, editors and name card, in a
// program folder of its own, worked only through the driver (clicks on
// menus, buttons, knobs and fields, keys) and looked at through its windows
// and files. The application runs on a thread of its own; Restart() ends it
// as a user does and starts it again on the same folder.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/Globals.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "editors/OrderWindow.h"
#include "editors/WorkoutWindow.h"
#include "kit/app/Autolock.h"
#include "kit/app/ProgramLauncher.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/Window.h"
#include "planner/CalView.h"
#include "planner/CalenderWin.h"
#include "shell/ProgramWindows.h"
#include "shell/VTApp.h"
#include "support/ProgramFolder.h"
#include "support/WaitUntil.h"
#include "widgets/CardDriving.h"
#include "widgets/ConfigCard.h"

extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

class RunningProgram
{
public:
    // prepare runs before each start, with the program folder ready.
    RunningProgram()
    {
        ProgramLauncher::SetRecorder([this](const std::vector<std::string>& argv) {
            std::lock_guard guard(fLaunchLock);
            fLaunches.push_back(argv);
        });
    }

    ~RunningProgram()
    {
        Stop();
        ProgramLauncher::SetRecorder({});
    }

    void Start()
    {
        ASSERT_FALSE(fThread.joinable());
        fEnded = false;
        fThread = std::thread([this] {
            ReadyApp app;
            fApp = &app;
            app.Run();
            fApp = nullptr;
            fEnded = true;
        });
        ASSERT_TRUE(WaitUntil([this] { return fApp.load() != nullptr && fApp.load()->ready; }));
        ASSERT_TRUE(Idle());
        ASSERT_NE(Main(), nullptr);
    }

    // Ctrl+Q in the main window; unsaved changes are discarded. Returns
    // when the application and every window are gone, as at the end of
    // the process.
    void Quit()
    {
        if (!fThread.joinable())
            return;
        if (CalenderWin* main = Main())
            driver.PressShortcut(main, 'q');
        else
            App().PostMessage(B_QUIT_REQUESTED);
        ASSERT_TRUE(_WaitForTheEnd());
    }

    void Restart()
    {
        Quit();
        Start();
    }

    // Whatever a test left, without asserting.
    void Stop()
    {
        if (!fThread.joinable())
            return;
        if (!fEnded)
            App().PostMessage(B_QUIT_REQUESTED);
        if (!_WaitForTheEnd())
            std::abort();
    }

    VTApp& App() { return *fApp.load(); }
    bool Ended() const { return fEnded; }
    bool Idle() { return driver.WaitForIdle(); }

    // MARK: Windows

    template <typename Window>
    Window* Find() const
    {
        for (const HeadlessWindowInfo& info : driver.Windows()) {
            if (auto* window = dynamic_cast<Window*>(info.window))
                return window;
        }
        return nullptr;
    }
    CalenderWin* Main() const { return Find<CalenderWin>(); }
    OrderWindow* OrderEditor() const { return Find<OrderWindow>(); }
    WorkoutWindow* WorkerEditor() const { return Find<WorkoutWindow>(); }

    std::string Title(BWindow* window) const
    {
        for (const HeadlessWindowInfo& info : driver.Windows()) {
            if (info.window == window)
                return info.title;
        }
        return "";
    }

    template <typename Function>
    auto Locked(BWindow* window, Function&& f)
    {
        BAutolock lock(window);
        return f();
    }

    // The labels of the main window's "Open" menu.
    std::vector<std::string> OpenMenuLabels()
    {
        CalenderWin* main = Main();
        return Locked(main, [&] {
            std::vector<std::string> labels;
            BMenu* open = main->OpenMenu();
            for (int32 i = 0; i < open->CountItems(); i++)
                labels.push_back(open->ItemAt(i)->LabelText());
            return labels;
        });
    }

    bool ItemEnabled(uint32 code)
    {
        CalenderWin* main = Main();
        return Locked(main, [&] {
            BMenuItem* item = main->MainMenu()->FindItem(code);
            return item != nullptr && item->IsEnabled() && _PathEnabled(item);
        });
    }

    // MARK: Working the windows

    // Clicks through the menus of window (the main window when null) to
    // the first item that matches.
    void ChooseWhere(const std::function<bool(BMenuItem*)>& matches, const std::string& what,
                     BWindow* window = nullptr)
    {
        if (window == nullptr)
            window = Main();
        std::vector<BMenuItem*> path = Locked(window, [&] {
            BMenuBar* bar = _MenuBarOf(window);
            return bar != nullptr ? _PathTo(bar, matches) : std::vector<BMenuItem*>{};
        });
        ASSERT_FALSE(path.empty()) << "no menu item " << what;
        _ClickThrough(path);
    }

    // Opens a pop-up menu field of window and clicks its item at index.
    void ChooseFromField(BWindow* window, const char* field, int32 index)
    {
        auto* menuField = ViewIn<BMenuField>(window, field);
        ASSERT_NE(menuField, nullptr) << field;
        driver.Click(window, middle_of(menuField));
        Idle();
        BMenuItem* item = Locked(window, [&] { return menuField->Menu()->ItemAt(index); });
        ASSERT_NE(item, nullptr);
        _ClickThrough({item});
    }

    // The item that posts code.
    void Choose(uint32 code, BWindow* window = nullptr)
    {
        ChooseWhere([code](BMenuItem* item) { return item->Command() == code; },
                    std::to_string(code), window);
    }

    // The item labelled label in one of the window's submenus ("Open", the
    // template menus).
    void ChooseIn(BMenu* (CalenderWin::*menu)() const, const std::string& label)
    {
        BMenu* submenu = Locked(Main(), [&] { return (Main()->*menu)(); });
        ChooseWhere(
            [&](BMenuItem* item) { return item->Menu() == submenu && item->LabelText() == label; },
            label);
    }

    void Key(BWindow* window, int32 key, uint32 modifiers = 0)
    {
        driver.PressKey(window, key, modifiers);
        Idle();
    }

    void Shortcut(char character)
    {
        driver.PressShortcut(Main(), character);
        Idle();
    }

    // Clicks into a text field of window, replaces its text and presses
    // Return.
    void TypeInto(BWindow* window, BView* field, const std::string& text)
    {
        driver.Click(window, middle_of(field));
        driver.PressShortcut(window, 'a');
        driver.TypeText(window, text);
        driver.PressKey(window, B_ENTER_KEY);
        Idle();
    }

    template <typename View = BView>
    View* ViewIn(BWindow* window, const char* name)
    {
        BAutolock lock(window);
        return dynamic_cast<View*>(window->FindView(name));
    }

    // Types name into the open name card and presses Return.
    void AnswerNameCard(const std::string& name)
    {
        ASSERT_TRUE(WaitUntil([] { return ConfigCard::cc_Zgr.load() != nullptr; }));
        ConfigCard* card = ConfigCard::cc_Zgr;
        auto* field = ViewIn<BTextControl>(card, "name");
        ASSERT_NE(field, nullptr);
        Locked(card, [&] { field->SelectAll(); });
        driver.TypeText(card, name);
        driver.PressKey(card, B_ENTER_KEY);
        Idle();
        Idle(); // the new project's windows open after the card's answer
    }

    std::vector<std::vector<std::string>> Launches()
    {
        std::lock_guard guard(fLaunchLock);
        return fLaunches;
    }

    ProgramFolder folder;
    HeadlessDriver driver;

private:
    class ReadyApp : public VTApp
    {
    public:
        ReadyApp() : VTApp(MakeProgramWindows) { SetNameCardMaker(ShowProgramNameCard); }
        void ReadyToRun() override { ready = true; }
        std::atomic<bool> ready{false};
    };

    // Answers "Discard" to the unsaved-changes question, if asked.
    bool _WaitForTheEnd()
    {
        const bool ended = WaitUntil([this] {
            if (driver.AnswerAlert(1) != B_OK)
                driver.AnswerAlert(0);
            return fEnded.load();
        });
        if (!ended)
            return false;
        fThread.join();
        // A window winds down on its own thread after the application has
        // ended; the next start must not find it.
        ConfigCard::DeleteMe();
        return WaitUntil([this] { return driver.Windows().empty(); });
    }

    static BMenuBar* _MenuBarOf(BWindow* window)
    {
        if (auto* main = dynamic_cast<CalenderWin*>(window))
            return main->MainMenu();
        if (window->KeyMenuBar() != nullptr)
            return window->KeyMenuBar();
        std::function<BMenuBar*(BView*)> find = [&](BView* view) -> BMenuBar* {
            if (auto* bar = dynamic_cast<BMenuBar*>(view))
                return bar;
            for (int32 i = 0; i < view->CountChildren(); i++) {
                if (BMenuBar* bar = find(view->ChildAt(i)))
                    return bar;
            }
            return nullptr;
        };
        for (int32 i = 0; i < window->CountChildren(); i++) {
            if (BMenuBar* bar = find(window->ChildAt(i)))
                return bar;
        }
        return nullptr;
    }

    static bool _PathEnabled(BMenuItem* item)
    {
        for (BMenu* menu = item->Menu(); menu != nullptr;
             menu = menu->Superitem() != nullptr ? menu->Superitem()->Menu() : nullptr) {
            if (!menu->IsEnabled())
                return false;
        }
        return true;
    }

    // The items from the menu bar down to the first item that matches.
    static std::vector<BMenuItem*> _PathTo(BMenu* menu,
                                           const std::function<bool(BMenuItem*)>& matches)
    {
        for (int32 i = 0; i < menu->CountItems(); i++) {
            BMenuItem* item = menu->ItemAt(i);
            if (matches(item))
                return {item};
            if (BMenu* submenu = item->Submenu()) {
                std::vector<BMenuItem*> below = _PathTo(submenu, matches);
                if (!below.empty()) {
                    below.insert(below.begin(), item);
                    return below;
                }
            }
        }
        return {};
    }

    void _ClickThrough(const std::vector<BMenuItem*>& path)
    {
        for (BMenuItem* item : path) {
            BMenu* menu = item->Menu();
            BWindow* window = menu->Window();
            ASSERT_NE(window, nullptr) << item->LabelText() << ": its menu is not open";
            const BRect frame = Locked(window, [&] { return item->Frame(); });
            const BPoint middle((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
            const BPoint where = Locked(
                window, [&] { return window->ConvertFromScreen(menu->ConvertToScreen(middle)); });
            driver.Click(window, where);
            Idle();
        }
        Idle();
    }

    std::atomic<ReadyApp*> fApp{nullptr};
    std::thread fThread;
    std::atomic<bool> fEnded{false};
    std::mutex fLaunchLock;
    std::vector<std::vector<std::string>> fLaunches;
};
