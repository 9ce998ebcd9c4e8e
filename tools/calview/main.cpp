// The planning calendar in a window of its own, on a generated project
// (20 workers, 200 orders), with a small stand-in for the application's
// command router: the bars' and knobs' posts come back to the calendar,
// a right click on a knob marks its order, so its handle can be dragged.
// With --main the whole main window is shown instead: menus, buttons and
// display-mode toggles around the calendar.
//
//   calview                          a real window (SDL, DISPLAY must be set)
//   calview --mode N --months M      display mode 0..3, months shown
//   calview --main                   the main window
//   calview [--main] --headless --screenshot FILE
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "BenchProject.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "data/STOrder.h"
#include "kit/app/Application.h"
#include "kit/app/IdleLoopers.h"
#include "kit/app/Messenger.h"
#include "kit/display/DisplayBackend.h"
#include "kit/display/HeadlessBackend.h"
#include "kit/interface/Window.h"
#include "planner/CalView.h"
#include "planner/CalenderWin.h"

namespace {

class CalendarWindow : public BWindow
{
public:
    CalendarWindow()
        : BWindow(BRect(60, 60, 1259, 665), "Vantrel calendar", B_TITLED_WINDOW,
                  B_QUIT_ON_WINDOW_CLOSE)
    {
        fCal = new CalView(Bounds(), "calview", "", 0, 0);
        fCal->SetDisplayMode(DaStMode.load());
        AddChild(fCal);
        fCal->AddWorkerBars();
    }

    CalView* Calendar() const { return fCal; }

private:
    CalView* fCal;
};

// The main window with the few answers of the application's router that
// looking at it needs.
class MainApp : public BApplication
{
public:
    MainApp() : BApplication("application/x-vnd.vantrel-calview") {}

    void Open()
    {
        // The generated project's folder has no icons of its own.
        std::error_code ignored;
        const std::filesystem::path icons =
            std::filesystem::path(path2app).parent_path() / kIconsFolder;
        if (!std::filesystem::exists(icons, ignored))
            std::filesystem::create_directory_symlink(VANTREL_ICONS, icons, ignored);
        ord_exist = 1;
        fWindow = new CalenderWin(BRect(60, 60, 1059, 619));
        fWindow->Show();
        BMessage title('VTTL');
        title.AddString("title", CalenderWin::TitleFor(DEFS_ORD_IO.Get()).c_str());
        for (BMessage message : {BMessage('WB_A'), BMessage('Oyes'), title})
            fWindow->PostMessage(&message);
    }

    void MessageReceived(BMessage* message) override
    {
        switch (message->what) {
        case 'OMRK':
            if (STOrder* orders = STOrder::Existing())
                orders->MarkOrderX(message);
            return _Forward(BMessage('WBKN'));
        case 'VTCC': {
            // Nothing to save here: the window may go, and the program.
            BMessage approval = CalenderWin::QuitApproval();
            _Forward(approval);
            fWindow = nullptr;
            PostMessage(B_QUIT_REQUESTED);
            return;
        }
        case 'WBRO':
        case 'WBRA':
        case 'WB_A':
        case 'WBKN':
        case 'MOVX':
        case 'FixS':
        case 'FiyS':
        case 'MIMG':
        case '_PRW':
        case '1235':
        case B_MOUSE_WHEEL_CHANGED:
            return _Forward(*message);
        default:
            BApplication::MessageReceived(message);
        }
    }

    bool QuitRequested() override
    {
        if (fWindow != nullptr && fWindow->Lock()) {
            fWindow->AllowQuit();
            fWindow->Quit();
        }
        fWindow = nullptr;
        return true;
    }

    CalenderWin* Window() const { return fWindow; }

private:
    void _Forward(const BMessage& message)
    {
        if (fWindow == nullptr)
            return;
        BMessage copy(message);
        BMessenger(fWindow).SendMessage(&copy);
    }

    CalenderWin* fWindow = nullptr;
};

class CalendarApp : public BApplication
{
public:
    CalendarApp() : BApplication("application/x-vnd.vantrel-calview") {}

    void Open()
    {
        fWindow = new CalendarWindow;
        fWindow->Show();
    }

    void MessageReceived(BMessage* message) override
    {
        switch (message->what) {
        case 'OMRK':
            if (STOrder* orders = STOrder::Existing())
                orders->MarkOrderX(message);
            return _Forward(BMessage('WBKN'));
        case 'WBRO':
        case 'WBRA':
        case 'WB_A':
        case 'WBKN':
        case 'MOVX':
            return _Forward(*message);
        default:
            BApplication::MessageReceived(message);
        }
    }

    bool QuitRequested() override
    {
        if (fWindow != nullptr && fWindow->Lock())
            fWindow->Quit();
        fWindow = nullptr;
        return true;
    }

    CalendarWindow* Window() const { return fWindow; }

private:
    void _Forward(const BMessage& message)
    {
        if (fWindow == nullptr)
            return;
        BMessage copy(message);
        if (copy.what == 'WB_A')
            copy.what = 'WBRA';
        BMessenger(fWindow->Calendar(), fWindow).SendMessage(&copy);
    }

    CalendarWindow* fWindow = nullptr;
};

template <typename App>
int take_screenshot(const char* path)
{
    auto* headless = dynamic_cast<HeadlessBackend*>(InstallDisplayBackend("headless"));
    if (headless == nullptr)
        return 1;
    App app;
    // The application does not run here: its lock must be free for the
    // window, which locks it while it fills the template menus.
    app.Unlock();
    app.Open();
    wait_for_idle_loopers();
    const status_t status = headless->SavePNG(app.Window(), path);
    app.QuitRequested();
    app.Lock();
    if (status != B_OK) {
        std::fprintf(stderr, "calview: cannot write %s\n", path);
        return 1;
    }
    std::printf("screenshot: %s\n", path);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const char* screenshot = nullptr;
    bool mainWindow = false;
    int32 mode = DSM_WORKER;
    int32 months = 3;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--mode") == 0 && i + 1 < argc)
            mode = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--months") == 0 && i + 1 < argc)
            months = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--main") == 0)
            mainWindow = true;
        else if (std::strcmp(argv[i], "--headless") != 0) {
            std::fprintf(stderr, "usage: calview [--main] [--mode N] [--months M] "
                                 "[--headless --screenshot FILE]\n");
            return 2;
        }
    }
    {
        QuietStdout quiet;
        OpenBenchProject(GeneratedFolder(0));
    }
    DaStMode = mode >= 0 && mode <= 3 ? mode : DSM_WORKER;
    PrevTime = months;
    if (screenshot != nullptr) {
        return mainWindow ? take_screenshot<MainApp>(screenshot)
                          : take_screenshot<CalendarApp>(screenshot);
    }
    if (InstallDisplayBackend(nullptr) == nullptr)
        return 1;
    if (mainWindow) {
        MainApp app;
        app.Open();
        app.Run();
        return 0;
    }
    CalendarApp app;
    app.Open();
    app.Run();
    return 0;
}
