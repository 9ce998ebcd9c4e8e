#include <cstdio>
#include <filesystem>
#include <string>

#include "app/Globals.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "app/WindowRoles.h"
#include "editors/OrderWindow.h"
#include "editors/PeopleEntries.h"
#include "editors/WorkoutWindow.h"
#include "kit/app/Message.h"
#include "kit/display/DisplayBackend.h"
#include "planner/CalenderWin.h"
#include "shell/VTApp.h"
#include "shell/WindowRegistry.h"
#include "widgets/ConfigCard.h"

namespace {

// The windows the application opens by their role.
void MakeWindows(WindowRegistry& windows)
{
    windows.SetMaker(WindowRole::kMainWindow, []() -> BLooper* {
        auto* window = new CalenderWin(BRect(CWin_X, CWin_Y, CWin_X + CWin_W, CWin_Y + CWin_H));
        window->Show();
        return window;
    });
    // The editors show themselves.
    windows.SetMaker(WindowRole::kOrderEditor, []() -> BLooper* {
        return new OrderWindow(BRect(OWin_X, OWin_Y, OWin_X + OWin_W, OWin_Y + OWin_H));
    });
    windows.SetMaker(WindowRole::kWorkerEditor, []() -> BLooper* { return new WorkoutWindow(); });
}

void ShowNameCard(const BMessage& request, BPoint leftTop)
{
    ConfigCard::getConfigCard(BRect(leftTop, leftTop), "", &request, ConfigCard::kName,
                              BRect(0, 0, 260, 88));
}

// Files given on the command line, with their full paths: the program
// folder, not the caller's, is the working folder of everything else.
BMessage ArgvMessage(int argc, char** argv)
{
    BMessage message(B_ARGV_RECEIVED);
    message.AddString("argv", argc > 0 ? argv[0] : "vantrel");
    for (int i = 1; i < argc; i++) {
        std::error_code ignored;
        const std::filesystem::path path = std::filesystem::absolute(argv[i], ignored);
        message.AddString("argv", path.empty() ? argv[i] : path.c_str());
    }
    message.AddInt32("argc", argc);
    return message;
}

} // namespace

int main(int argc, char** argv)
{
    printf("\nFIREUP: VT_kernel\n");
    printf("Vantrel build '20030823'\n");
    for (int i = 1; i < argc; i++)
        printf(" %d: '%s' \n", i, argv[i]);
    fflush(stdout);

    // The real file, not argv[0]: started through PATH, argv[0] is a bare
    // name and every data path built from it would be wrong.
    path2app = FindProgramPath(argc > 0 ? argv[0] : nullptr);

    if (InstallDisplayBackend(nullptr) == nullptr)
        return 1;
    UseDesktopAddressBook();
    VTApp app(MakeWindows);
    app.SetNameCardMaker(ShowNameCard);
    if (argc > 1) {
        BMessage files = ArgvMessage(argc, argv);
        app.PostMessage(&files);
    }
    app.Run();
    return 0;
}
