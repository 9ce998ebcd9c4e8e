#include "shell/ProgramWindows.h"

#include "app/Settings.h"
#include "app/WindowRoles.h"
#include "editors/OrderWindow.h"
#include "editors/WorkoutWindow.h"
#include "kit/app/Message.h"
#include "planner/CalenderWin.h"
#include "shell/WindowRegistry.h"
#include "widgets/ConfigCard.h"

void MakeProgramWindows(WindowRegistry& windows)
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

void ShowProgramNameCard(const BMessage& request, BPoint leftTop)
{
    ConfigCard::getConfigCard(BRect(leftTop, leftTop), "", &request, ConfigCard::kName,
                              BRect(0, 0, 260, 88));
}
