// The main planning window: the menu bar built from the label table, the
// calendar with its scroll bar, and the row of buttons and display-mode
// toggles along the bottom. It keeps the display mode, enables its menus by
// the state of the project, opens the pop-up cards, prints and takes
// snapshots of the calendar; everything else it hands to the application
// object through PostToApp.
//
// The application tells it about the project by message: 'Oyes' / 'O_no'
// (the order list came or went; the title follows DEFS_ORD_IO), 'WB_A'
// (build the bars), 'VICU' (a project was closed), 'VTTL' with "title" (a
// new title, e.g. after "Save as"), and B_QUIT_REQUESTED with "approved"
// (see QuitRequested).
#pragma once

#include <atomic>
#include <string>

#include "kit/interface/Window.h"

class BMenu;
class BMenuBar;
class BScrollBar;
class BStringView;
class BView;
class CalView;
class XButton;
class clView;

class CalenderWin : public BWindow
{
public:
    // Sets its title to the product name; fitted into the size limits.
    explicit CalenderWin(BRect frame);
    ~CalenderWin() override;

    void MessageReceived(BMessage* message) override;
    void FrameResized(float width, float height) override;
    void FrameMoved(BPoint where) override;
    // The window does not go on its own: it asks the application to close
    // the project and end the program ('X_OW', then 'VTCC'), which may ask
    // the user first and then sends QuitApproval(). Only that message (or
    // AllowQuit()) lets the window close.
    bool QuitRequested() override;

    virtual void BuildMenu();
    virtual void ExtendMenu();
    virtual void Draw();
    virtual void RefreshLocalizableStuff();
    virtual void SetDSM(BMessage* message);
    virtual void FixUserInfo();
    virtual void Wheel4Scrollbars(BMessage* message);
    virtual void FixScrollbars(bool mayGrow);
    virtual void SetMenuTo(bool open);
    virtual void SetMenuToUser();
    virtual void SetMenuToFail(bool ok);
    virtual void SetHdyMenu();
    virtual void OpenConfigCard(BMessage* message);
    // Refills menu (the "Open" submenu when null) with the projects of "defs".
    virtual void ScanDefsFolderBMI(BMenu* menu = nullptr);
    virtual void DrawXToMaster();

    // The quit request with which the application lets the window close.
    static BMessage QuitApproval();
    // For programs without the application object: closing needs no answer.
    void AllowQuit() { fQuitAllowed = true; }

    // "Vantrel", or "Vantrel: <project>".
    static std::string TitleFor(const std::string& project);

    // The "Optional" menu was asked for since the menu bar was last built.
    static std::atomic<bool> kbo_cal;

    // What the window is made of (touch with the window locked).
    CalView* Calendar() const { return fCal; }
    BMenuBar* MainMenu() const { return fMenuBar; }
    BMenu* OpenMenu() const { return fOpenMenu; }
    BMenu* WorkerTemplateMenu() const { return fWTemplates; }
    BMenu* OrderTemplateMenu() const { return fOTemplates; }
    BScrollBar* ScrollBar() const { return fScrollBar; }
    BView* Background() const { return fBack; }
    // 0 "All in Row", 1 "Worker List", 2 "Order List".
    clView* Toggle(int32 index) const;
    // "c2w", "c2o", "cprn", "c2d".
    XButton* Button(const char* name) const;
    BStringView* UserLine(int32 index) const { return index == 0 ? fUserI : fUserR; }
    // Where the last snapshot went; empty when none was written.
    std::string LastSnapshot() const;

private:
    void _MakeViews();
    void _LightToggle(int32 mode);
    void _Forward(BMessage* message);
    void _Enable(uint32 code, bool enabled);
    void _EnableSubmenu(BMenu* menu, bool enabled);
    void _AddOptionalItems(BMenu* menu);
    void _RescanTemplates(BMenu* menu, bool open);
    bool _SnapshotInto(const std::string& path);
    void _ReportDrawn();

    BView* fBack = nullptr;
    BMenuBar* fMenuBar = nullptr;
    BMenu* fOpenMenu = nullptr;
    BMenu* fWTemplates = nullptr;
    BMenu* fOTemplates = nullptr;
    BScrollBar* fScrollBar = nullptr;
    CalView* fCal = nullptr;
    XButton* fButtons[4] = {};
    clView* fToggles[3] = {};
    BStringView* fUserI = nullptr;
    BStringView* fUserR = nullptr;
    BRect fLastBounds;
    float fFittedHeight = -1;
    bool fQuitAllowed = false;
    std::string fLastSnapshot;
    // $VANTREL_REPORT_DRAWN until the first bars are drawn (see _ReportDrawn).
    std::string fReportDrawn;
};
