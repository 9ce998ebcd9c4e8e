// The application object: opens and closes projects and windows and routes
// every command the windows and cards post to the window concerned or to an
// operation of the order, worker or holiday list. All of it runs on the
// application thread.
//
// Windows are reached through WindowRegistry by role and only by message.
// Where something has to wait for a window to close (an editor writes its
// list when it closes), the application asks it to quit and carries on when
// it reports closing; commands that arrive meanwhile wait, in their order,
// until then.
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "kit/app/Application.h"
#include "kit/app/GraphicsDefs.h"
#include "kit/app/Locker.h"
#include "kit/app/Message.h"
#include "shell/WindowRegistry.h"

class VTApp : public BApplication
{
public:
    // Shows the name-entry card for request ('NNA_', 'SAS_', 'WNA_' or
    // 'ONA_') with its top-left corner at leftTop; the card posts its answer
    // to the application.
    using NameCardMaker = std::function<void(const BMessage& request, BPoint leftTop)>;

    // Reads the settings and opens the main window when makers has a maker
    // for it.
    explicit VTApp(std::function<void(WindowRegistry&)> makers = {});
    ~VTApp() override;

    // Holds back what arrives while windows are closing, and runs what the
    // application asked of itself before anything that came later.
    void DispatchMessage(BMessage* message, BHandler* handler) override;
    void MessageReceived(BMessage* message) override;
    bool QuitRequested() override;
    void RefsReceived(BMessage* message) override;
    // Files on the command line are handled as if dropped on the program.
    void ArgvReceived(int32 argc, char** argv) override;
    void AboutRequested() override;

    virtual void OpenCalender();
    virtual void SendToClass(int32 target, BMessage* message);
    virtual void CloseOrder();
    virtual void CloseWorker();
    virtual void SaveWithName(BMessage* message);
    virtual void OpenSchedule(BMessage* message);
    virtual void DoWithOrder(BMessage* message);
    virtual void DoWithWorker(BMessage* message);
    virtual void DoWithHolidays(BMessage* message);
    virtual void OpenWithTracker(const char* folder, const char* name);
    virtual void GetNameForNewFile(BMessage* request);

protected:
    // A command the application gives itself as the rest of the current one
    // ('VTWO' after opening a project, 'O_XM' after saving): it runs next,
    // before commands that were already waiting in the queue, so a "Close"
    // pressed meanwhile cannot come between "Save as" and its save.
    virtual void FollowUp(const BMessage& message);

public:
    // Where the windows come in.
    WindowRegistry& Windows() { return fWindows; }
    void SetNameCardMaker(NameCardMaker maker);

private:
    struct Closing
    {
        std::vector<WindowRole> waiting;
        std::function<void()> then;
    };

    struct HeldAction
    {
        BMessage action;
        std::vector<WindowRole> applying; // editors still applying text
        bool asked = false;
    };

    void _Route(BMessage* message);
    bool _RouteTable(BMessage* message);
    void _Forward(WindowRole role, const BMessage& message);
    void _PostTo(WindowRole role, uint32 what);
    void _SetTitle(const std::string& title);

    // Asks the open windows of roles to quit and runs then() once all have
    // reported closing (at once when none is open).
    void _AfterClosing(std::initializer_list<WindowRole> roles, std::function<void()> then);
    void _WindowClosed(WindowRole role);
    void _QuitRefused(BMessage* message);
    void _RunQueued();
    static bool _RunsWhileClosing(uint32 what);
    void _Dispatch(BMessage* message);

    // Closing, opening (also a new project) and quitting go through here
    // first: the editors apply their typed text, and unsaved changes are
    // saved, dropped or kept by the user's answer before the action goes
    // on. Everything else waits meanwhile, as while windows close.
    bool _MayLoseWork(const BMessage& message) const;
    bool _Unsaved(uint32 action) const;
    // True when the action is not to run now (it waits or was refused).
    bool _HoldForUnsaved(const BMessage& action);
    void _TextApplied(WindowRole role);
    enum class Verdict
    {
        kGoOn,
        kAsked,
        kKeep,
    };
    // Saves, asks or lets the held action go, once the text is in.
    Verdict _Settle();
    void _UnsavedAnswered(BMessage* answer);
    void _GoOn();
    void _KeepAll();
    bool _SaveLists();

    void _DropOrderList();
    void _DropWorkerList();
    void _OpenProject(const std::string& name);
    void _RenameProject(const std::string& name);
    void _OpenEditor(WindowRole role, WindowRole other);
    void _CloseProject();
    void _MainWindowClosing();
    void _Reload(BMessage* message, bool orders);
    void _SaveAll(BMessage* message);
    void _ExportXML();
    void _AskName(uint32 request);
    void _OpenLabelFile(int32 mode);
    void _ToBothEditors(BMessage* message);

    WindowRegistry fWindows;
    NameCardMaker fNameCard;
    BLocker fListLock;
    std::optional<Closing> fClosing;
    std::optional<HeldAction> fHeld;
    bool fCloseRefused = false;
    std::deque<BMessage> fDeferred;
    std::vector<BMessage> fFollowUps;
};
