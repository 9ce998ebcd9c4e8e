#include "planner/CalenderWin.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/AppPost.h"
#include "app/FunctionKeys.h"
#include "app/Globals.h"
#include "app/Notices.h"
#include "app/Paths.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "app/TemplateMenus.h"
#include "app/WindowRoles.h"
#include "calendar/TimeValue.h"
#include "data/STHolidays.h"
#include "exchange/XmlImport.h"
#include "kit/app/AppDefs.h"
#include "kit/app/Autolock.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/Font.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/SeparatorItem.h"
#include "kit/interface/StringView.h"
#include "planner/CalBack.h"
#include "planner/CalView.h"
#include "planner/WBalken.h"
#include "widgets/ConfigCard.h"
#include "widgets/ViewHelpers.h"
#include "widgets/ViewPrint.h"
#include "widgets/XButton.h"
#include "widgets/clView.h"

std::atomic<bool> CalenderWin::kbo_cal{false};

namespace {

constexpr const char* kProduct = "Vantrel";
// To itself, behind the redraw after the first bars (see _ReportDrawn).
constexpr uint32 kReportDrawn = 'RDRN';
constexpr float kMenuHeight = 24;
constexpr float kRowHeight = 19;
constexpr float kBottomStrip = 1.5f * BU_hoehe;
constexpr rgb_color kPlainBack = {237, 242, 235, 255};
// The snapshot is as wide as the report page shows it.
constexpr float kSnapshotRight = 558;

std::string Label(const LabelArray& array, int32 index)
{
    return STLabel::getLabel(array, index);
}

BMenuItem* Item(const LabelArray& array, int32 index, uint32 code, char shortcut = 0)
{
    return new BMenuItem(Label(array, index).c_str(), new BMessage(code), shortcut);
}

// The toggles' commands, by toggle.
constexpr uint32 kToggleCodes[3] = {'AMOD', 'LMOD', 'XMOD'};

// Items that need an open project (the order list).
constexpr uint32 kProjectItems[] = {'S_DA', 'S_AS', 'X_OW', 'WADD', 'W+TE', 'CURL', 'CILL',
                                    'OADD', 'O+TE', 'OsDD', 'OsPD', 'RPDL', 'OPTO', 'OPTE',
                                    'OPTD', 'OPTC', 'OPTA', 'OPRL', 'OPRH'};

// Commands passed unchanged to the application object.
constexpr uint32 kForwarded[] = {'OsPD', 'OsDD', 'OsRE', 'WsRE', 'S_DA', 'WADD', 'W+TF',
                                 'O+TF', 'OADD', 'WUIx', '_ABR', 'FPDL', 'RPDL', 'SPDL',
                                 'OPTA', 'OPTB', 'OPTC', 'OPTD', 'OPTE', 'OPTO', 'OPEN',
                                 'OPRL', 'Hsav', 'Hrel', 'Hedi', '8888', 'X_OW', 'NewN'};

struct CardKind
{
    uint32 command;
    int32 type;
    uint32 cardCommand;
    float width;
    float height;
};

constexpr CardKind kCards[] = {
    {'CURL', ConfigCard::kOffDays, 'U___', 320, 188},
    {'Hchg', ConfigCard::kHolidays, 'H___', 340, 198},
    {'PREF', ConfigCard::kPreferences, 'P___', 340, 278},
    {'OPRH', ConfigCard::kReportSettings, 'HS__', 320, 178},
    {'CILL', ConfigCard::kIllnessDays, 'I___', 320, 188},
};

bool HolidaysInUse()
{
    return (prefsdata.load() & VTa_USE_HOLIDAY) != 0;
}

} // namespace

CalenderWin::CalenderWin(BRect frame)
    : BWindow(frame, kProduct, B_TITLED_WINDOW, 0), fLastBounds(0, 0, -1, -1)
{
    SetSizeLimits(600, 1200, 151, 606);
    // The label table makes the data folders and reads the label file.
    STLabel::getSTLabel();
    STHolidays::getSTHolidays();
    _MakeViews();
    BuildMenu();
    SetMenuTo(false);
    SetMenuToFail(false);
    Draw();
    if (const char* report = getenv("VANTREL_REPORT_DRAWN"))
        fReportDrawn = report;
}

CalenderWin::~CalenderWin()
{
    printf("DEL CalenderWin  \n");
    if (STHolidays* holidays = STHolidays::Existing())
        holidays->DeleteMe();
    PostToApp(B_QUIT_REQUESTED);
    printf("DEL CalenderWin DONE \n");
}

// MARK: Building

void CalenderWin::_MakeViews()
{
    const BRect bounds = Bounds();
    const float W = bounds.Width();
    const float H = bounds.Height();

    fBack = new BView(BRect(0, 0, W + 1, H + 1), "backview", B_FOLLOW_ALL, B_WILL_DRAW);
    fBack->SetFontSize(10);
    STLabel* labels = STLabel::getSTLabel();
    BBitmap* image = labels != nullptr ? labels->BackgroundImage() : nullptr;
    if (image != nullptr)
        fBack->SetViewBitmap(image);
    else
        fBack->SetViewColor(kPlainBack);
    fBack->SetLowColor(fBack->ViewColor());

    fCal = new CalView(BRect(4, kMenuHeight, W - 19, H - kBottomStrip), "calview", "", 0, 0);
    fCal->SetDisplayMode(DaStMode.load());

    fScrollBar = new BScrollBar(BRect(W - 18, kMenuHeight, W - 4, H - kBottomStrip), "scroll_Bar",
                                fCal->Background(), 150, 500, B_VERTICAL);

    const float top = H - (BU_hoehe + 3);
    const uint32 bottomLeft = B_FOLLOW_LEFT | B_FOLLOW_BOTTOM;
    struct ButtonSpec
    {
        const char* name;
        float left;
        int32 label;
        int32 icon;
        uint32 code;
    };
    const ButtonSpec buttons[4] = {
        {"c2w", 4, 1, 0, 'VTWO'},
        {"c2o", 7 + BU_breite, 2, 1, 'VTOO'},
        {"cprn", 10 + 2 * BU_breite, 3, 2, '_PRW'},
        {"c2d", 437, 8, 11, 'MIMG'},
    };
    for (int32 i = 0; i < 3; i++) {
        const ButtonSpec& spec = buttons[i];
        fButtons[i] =
            new XButton(BRect(spec.left, top, spec.left + BU_breite, top + BU_hoehe), spec.name,
                        Label(butlab, spec.label).c_str(), new BMessage(spec.code), bottomLeft);
        fButtons[i]->SetBitmap(spec.icon);
    }
    const float toggleLeft[3] = {165, 255, 345};
    for (int32 i = 0; i < 3; i++) {
        fToggles[i] = new clView(BRect(toggleLeft[i], H - 24, toggleLeft[i] + 85, H - 3),
                                 Label(calbut, i).c_str(), new BMessage(kToggleCodes[i]),
                                 clView::kHover, "clv", bottomLeft);
    }
    const ButtonSpec& snap = buttons[3];
    fButtons[3] =
        new XButton(BRect(snap.left, top, snap.left + BU_breite, top + BU_hoehe), snap.name,
                    Label(butlab, snap.label).c_str(), new BMessage(snap.code), bottomLeft);
    fButtons[3]->SetBitmap(snap.icon);
    AddToolTip(fButtons[3], "Snapshot");

    const uint32 bottomRight = B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM;
    fUserI = new BStringView(BRect(W - 95, H - 26, W - 22, H - 14), "useri", "", bottomRight);
    fUserR = new BStringView(BRect(W - 95, H - 14, W - 22, H - 1), "userr", "", bottomRight);
    for (BStringView* line : {fUserI, fUserR})
        line->SetFontSize(9);

    for (XButton* button : fButtons)
        fBack->AddChild(button);
    for (clView* toggle : fToggles)
        fBack->AddChild(toggle);
    fBack->AddChild(fUserI);
    fBack->AddChild(fUserR);
    fBack->AddChild(fScrollBar);
    fBack->AddChild(fCal);
    AddChild(fBack);

    if (image != nullptr) {
        BFont font(be_plain_font);
        font.SetSize(FO_SIZE);
        Childs2Transparent(fBack, ui_color(B_MENU_BACKGROUND_COLOR), &font, 0);
    }
    const int32 mode = DaStMode.load();
    _LightToggle(mode == DSM_WORKER ? 1 : mode == DSM_EARLIEST || mode == DSM_ORBA ? 2 : 0);
}

void CalenderWin::BuildMenu()
{
    kbo_cal = false;
    fMenuBar = new BMenuBar(BRect(0, 0, Bounds().Width(), 20), "main menu");

    auto* file = new BMenu(Label(calmnu, 0).c_str());
    fOpenMenu = new BMenu(Label(calmnu, 1).c_str());
    file->AddItem(fOpenMenu);
    file->AddSeparatorItem();
    file->AddItem(Item(calmnu, 2, 'S_DA', 'S'));
    file->AddItem(Item(calmnu, 23, 'S_AS'));
    file->AddItem(Item(calmnu, 3, 'X_OW', 'C'));
    file->AddSeparatorItem();
    file->AddItem(Item(calmnu, 4, 'NewN', 'N'));
    file->AddSeparatorItem();
    file->AddItem(Item(calmnu, 5, '_ABR'));
    file->AddItem(Item(calmnu, 6, 'PREF'));
    file->AddSeparatorItem();
    file->AddItem(Item(calmnu, 7, B_QUIT_REQUESTED, 'Q'));
    fMenuBar->AddItem(file);

    auto* view = new BMenu(Label(c_over, 0).c_str());
    constexpr int32 kMonths[] = {1, 2, 3, 6, 12, 24};
    for (int32 i = 0; i < 6; i++) {
        auto* message = new BMessage('CVPR');
        message->AddInt32("H:value", kMonths[i]);
        auto* item = new BMenuItem(Label(c_over, i + 1).c_str(), message);
        view->AddItem(item);
    }
    fMenuBar->AddItem(view);

    auto* worker = new BMenu(Label(calmnu, 8).c_str());
    worker->AddItem(Item(calmnu, 10, 'WADD'));
    auto* wTemplates = new BMenu(Label(calmnu, 9).c_str());
    worker->AddItem(wTemplates);
    worker->AddItem(Item(calmnu, 11, 'CURL'));
    worker->AddItem(Item(calmnu, 12, 'CILL'));
    fMenuBar->AddItem(worker);

    auto* order = new BMenu(Label(calmnu, 13).c_str());
    order->AddItem(Item(calmnu, 15, 'OADD'));
    auto* oTemplates = new BMenu(Label(calmnu, 14).c_str());
    order->AddItem(oTemplates);
    order->AddItem(Item(calmnu, 16, 'OsDD', 'd'));
    order->AddItem(Item(calmnu, 17, 'OsPD', 'p'));
    order->AddItem(Item(calmnu, 22, 'OPRH', 'h'));
    fMenuBar->AddItem(order);

    auto* holidays = new BMenu(Label(calmnu, 18).c_str());
    holidays->AddItem(Item(calmnu, 19, 'Hchg'));
    holidays->AddItem(Item(calmnu, 20, 'Hsav'));
    holidays->AddItem(Item(calmnu, 21, 'Hrel'));
    fMenuBar->AddItem(holidays);

    auto* optimize = new BMenu(Label(tmomnu, 0).c_str());
    optimize->AddItem(Item(tmomnu, 1, 'FPDL'));
    optimize->AddItem(Item(tmomnu, 2, 'RPDL'));
    optimize->AddSeparatorItem();
    optimize->AddItem(Item(tmomnu, 3, 'OPTO'));
    optimize->AddItem(Item(tmomnu, 4, 'OPTE'));
    optimize->AddItem(Item(tmomnu, 5, 'OPTD'));
    optimize->AddItem(Item(tmomnu, 6, 'OPTC'));
    fMenuBar->AddItem(optimize);

    fWTemplates = wTemplates;
    fOTemplates = oTemplates;
    AddChild(fMenuBar);
    ScanDefsFolderBMI(fOpenMenu);
}

void CalenderWin::ExtendMenu()
{
    kbo_cal = true;
    BMenu* optional = nullptr;
    const std::string title = Label(calmnu, 25);
    for (int32 i = 0; i < fMenuBar->CountItems(); i++) {
        BMenu* menu = fMenuBar->SubmenuAt(i);
        if (menu != nullptr && menu->Superitem() != nullptr &&
            menu->Superitem()->LabelText() == title)
            optional = menu;
    }
    if (optional == nullptr) {
        optional = new BMenu(title.c_str());
        fMenuBar->AddItem(optional);
    }
    if (optional->FindItem(uint32('ODEF')) != nullptr) {
        AnyAlert(" Optionals already in Menu\n");
        return;
    }
    _AddOptionalItems(optional);
}

void CalenderWin::_AddOptionalItems(BMenu* menu)
{
    menu->AddItem(new BMenuItem("edit language.html", new BMessage('ODEF')));
    menu->AddItem(new BMenuItem("view language.html", new BMessage('8888')));
    menu->AddSeparatorItem();
    auto* ascii = new BMenuItem("ascii holiday.vth ", new BMessage('Hedi'));
    ascii->SetEnabled(HolidaysInUse());
    menu->AddItem(ascii);
}

void CalenderWin::RefreshLocalizableStuff()
{
    printf("RefreshLocalizableStuff\n");
    for (int32 i = 0; i < 3; i++)
        fToggles[i]->SetText(Label(calbut, i).c_str(), true);
    RemoveChild(fMenuBar);
    delete fMenuBar;
    BuildMenu();
    const bool open = ord_exist.load() != 0;
    SetMenuTo(open);
    SetMenuToFail(open);
    fMenuBar->MoveTo(1, 1);
    fCal->Invalidate();
    printf("---\n");
}

// MARK: Menu state

void CalenderWin::_Enable(uint32 code, bool enabled)
{
    SetItemTo(fMenuBar, code, nullptr, enabled);
}

// The item that opens the submenu is greyed with it.
void CalenderWin::_EnableSubmenu(BMenu* menu, bool enabled)
{
    menu->SetEnabled(enabled);
    if (BMenuItem* item = menu->Superitem())
        item->SetEnabled(enabled);
}

void CalenderWin::SetMenuTo(bool open)
{
    _EnableSubmenu(fOpenMenu, !open);
    for (uint32 code :
         {'OsDD', 'OsPD', 'RPDL', 'OPTO', 'OPTE', 'OPTD', 'OPTC', 'WsRE', 'OsRE', 'OPTA'})
        _Enable(code, open);
    for (int32 i = 0; i < 3; i++)
        fButtons[i]->SetEnabled(open);
    _RescanTemplates(fWTemplates, open);
    _RescanTemplates(fOTemplates, open);
    SetMenuToUser();
}

void CalenderWin::_RescanTemplates(BMenu* menu, bool open)
{
    const bool workers = menu == fWTemplates;
    // Without a project, ".nix" (which no template has) empties the menu.
    const char* ext = !open ? ".nix" : workers ? ".wtp" : ".otp";
    GScan4Templates(menu, ext, workers ? 'W+TF' : 'O+TF');
    const char* rescan = workers ? "rescan WorkerTempl." : "rescan OrderTempl.";
    menu->AddItem(new BMenuItem(rescan, new BMessage(workers ? 'W+TE' : 'O+TE')), 0);
    menu->AddItem(new BSeparatorItem, 1);
}

void CalenderWin::SetMenuToUser()
{
    for (uint32 code : {'S_DA', 'S_AS', 'NewN', 'WADD', 'W+TE', 'CURL', 'CILL', 'OADD', 'O+TE',
                        'PREF', 'OPRH', 'FPDL', '8888', 'ODEF', 'OPRL', 'MIMG'})
        _Enable(code, true);
    _EnableSubmenu(fWTemplates, true);
    _EnableSubmenu(fOTemplates, true);
    fButtons[3]->SetEnabled(true);
    _Enable('X_OW', fCal->CountBars() > 0);
    SetHdyMenu();
}

void CalenderWin::SetMenuToFail(bool ok)
{
    if (ord_exist.load() == 0)
        ok = false;
    for (uint32 code : kProjectItems)
        _Enable(code, ok);
    _EnableSubmenu(fWTemplates, ok);
    _EnableSubmenu(fOTemplates, ok);
}

void CalenderWin::SetHdyMenu()
{
    const bool holidays = HolidaysInUse();
    for (uint32 code : {'Hchg', 'Hsav', 'Hrel', 'Hedi'})
        _Enable(code, holidays);
}

void CalenderWin::ScanDefsFolderBMI(BMenu* menu)
{
    if (menu == nullptr)
        menu = fOpenMenu;
    if (menu == nullptr)
        return;
    while (menu->CountItems() > 0)
        delete menu->RemoveItem(menu->CountItems() - 1);
    // Projects by their base name: that name, and nothing else, opens one.
    std::vector<std::string> names;
    SortVerz(names, BuildPath(path2app, kDefsFolder).c_str(), ".vto", true);
    for (const std::string& name : names) {
        auto* message = new BMessage('OPEN');
        message->AddString("open", name.c_str());
        menu->AddItem(new BMenuItem(name.c_str(), message));
    }
}

// MARK: Display

void CalenderWin::_LightToggle(int32 lit)
{
    for (int32 i = 0; i < 3; i++) {
        fToggles[i]->SetSpot(i == lit, true);
        fToggles[i]->SetDotted(i == lit, true);
    }
}

void CalenderWin::SetDSM(BMessage* message)
{
    int32 mode = DSM_WORKER;
    int32 lit = 1;
    switch (message != nullptr ? message->what : 0) {
    case 'AMOD':
        mode = DSM_ROW;
        lit = 0;
        break;
    case 'XMOD':
        mode = DSM_ORBA;
        lit = 2;
        break;
    case 'EMOD':
        mode = DSM_EARLIEST;
        lit = 2;
        break;
    default:
        break;
    }
    _LightToggle(lit);
    const int32 previous = fCal->DisplayMode();
    fCal->SetDisplayMode(mode);
    DaStMode = mode;
    if (ord_exist.load() == 0) {
        fCal->Background()->Invalidate();
        return;
    }
    if (mode == previous)
        return;
    fCal->Background()->Invalidate();
    fCal->Invalidate();
    if (mode == DSM_ORBA)
        fCal->OrdersInBars();
    else
        fCal->AddWorkerBars();
    FixScrollbars(false);
    _Enable('X_OW', fCal->CountBars() > 0);
}

void CalenderWin::FixUserInfo()
{
    fUserI->SetText("Single User");
    fUserR->SetText("System : ");
}

void CalenderWin::FixScrollbars(bool mayGrow)
{
    const float content = float(fCal->CountBars()) * kRowHeight;
    const float visible = fCal->Background()->Bounds().Height();
    fScrollBar->SetProportion(content > 0 ? std::min(1.0f, visible / content) : 1.0f);
    fScrollBar->SetRange(0, std::max(0.0f, content - visible));
    fScrollBar->SetSteps(kRowHeight, 2 * kRowHeight);
    fFittedHeight = Bounds().Height();
    const float wanted = kBottomStrip + content + kMenuHeight + 21;
    if (mayGrow && Bounds().Height() < wanted)
        ResizeTo(Bounds().Width() - 2, wanted);
    FixUserInfo();
}

void CalenderWin::Wheel4Scrollbars(BMessage* message)
{
    if (ord_exist.load() == 0 || message == nullptr)
        return;
    const float delta = message->GetFloat("be:wheel_delta_y", 0);
    if (delta == 0)
        return;
    float min = 0, max = 0;
    fScrollBar->GetRange(&min, &max);
    const float value = fScrollBar->Value();
    if ((delta < 0 && value <= min) || (delta > 0 && value >= max))
        return;
    fScrollBar->SetValue(value + 80 * delta);
}

void CalenderWin::Draw()
{
    BAutolock lock(this);
    FixScrollbars(false);
    fCal->Invalidate();
    fCal->Background()->Invalidate();
    fCal->DrawChilds();
    FixUserInfo();
}

void CalenderWin::FrameResized(float width, float height)
{
    CWin_W = width;
    CWin_H = height;
    const BRect bounds = Bounds();
    if (bounds != fLastBounds) {
        const bool wider = bounds.Width() != fLastBounds.Width();
        if (bounds.Height() != fFittedHeight || wider)
            FixScrollbars(false);
        if (wider) {
            // The calendar re-places its knobs for the new scale itself.
            fCal->Invalidate();
            fCal->Background()->Invalidate();
        }
        fBack->Invalidate(
            BRect(0, bounds.Height() - kBottomStrip, bounds.Width() + 1, bounds.Height() + 1));
        fBack->Invalidate(BRect(bounds.Width() - 5, 20, bounds.Width() + 1, bounds.Height() + 1));
    }
    fLastBounds = bounds;
}

void CalenderWin::FrameMoved(BPoint where)
{
    CWin_X = where.x;
    CWin_Y = where.y;
}

// MARK: Cards, printing, snapshots

void CalenderWin::OpenConfigCard(BMessage* message)
{
    const uint32 what = message != nullptr ? message->what : 0;
    for (const CardKind& kind : kCards) {
        if (kind.command != what)
            continue;
        const BRect frame = Frame();
        BMessage cardMessage(kind.cardCommand);
        ConfigCard::getConfigCard(
            BRect(frame.left + 110, frame.top + 25, frame.left + 110, frame.top + 25), "2001-10-08",
            &cardMessage, kind.type, BRect(0, 0, kind.width, kind.height));
        return;
    }
    printf("CalenderWin OpenConfigCard?? '%s'\n", long2asc(what).c_str());
}

std::string CalenderWin::LastSnapshot() const
{
    return fLastSnapshot;
}

// Renders the calendar off screen at the report's width and writes it
// whole; the previous picture stays unless the new one was written.
bool CalenderWin::_SnapshotInto(const std::string& path)
{
    const BRect frame = fCal->Frame();
    const float width = std::max(kSnapshotRight - frame.left, 1.0f);
    auto bitmap = std::make_unique<BBitmap>(BRect(0, 0, width, frame.Height()), B_RGB32, true);
    if (!bitmap->IsValid())
        return false;
    printf("Clip Children...\n");
    const float scroll = fScrollBar->Value();
    fBack->RemoveChild(fCal);
    bitmap->Lock();
    bitmap->AddChild(fCal);
    fCal->ResizeTo(width, frame.Height());
    fCal->MoveTo(0, 0);
    fCal->Invalidate();
    fCal->Background()->Invalidate();
    fCal->DrawChilds();
    fCal->OnlyKnopfRedraw();
    fCal->Sync();
    const bool written = LocalImageSave(path.c_str(), bitmap.get()) == 0;
    bitmap->RemoveChild(fCal);
    bitmap->Unlock();
    fBack->AddChild(fCal);
    fCal->ResizeTo(frame.Width(), frame.Height());
    fCal->MoveTo(frame.LeftTop());
    fScrollBar->SetTarget(fCal->Background());
    fCal->Background()->ScrollTo(0, scroll);
    fCal->Invalidate();
    fCal->Background()->Invalidate();
    fCal->DrawChilds();
    fCal->OnlyKnopfRedraw();
    return written;
}

void CalenderWin::DrawXToMaster()
{
    if (fCal == nullptr || ord_exist.load() == 0)
        return;
    printf("Check Path4Image: \n");
    const std::string name = UserSNAP_IMG;
    std::string path =
        ProjectFilePath(name, "").value_or(BuildPath(path2app, kDefsFolder, "vtsnap.jpg"));
    if (_SnapshotInto(path)) {
        printf("OK\t%s %ld\n", path.c_str(), 0L);
        fLastSnapshot = path;
        return;
    }
    printf("Err\t%s %ld\n", path.c_str(), -1L);
    path = RamDiskPath(ProjectFilePath(name, "") ? name : "vtsnap.jpg");
    if (_SnapshotInto(path)) {
        printf("OK\t%s %ld\n", path.c_str(), 0L);
        fLastSnapshot = path;
        return;
    }
    printf("\n and no ramdisk..\n\t%s %ld\n", path.c_str(), -1L);
}

// For timing the whole program from outside (bench/AppBench.cpp): with
// VANTREL_REPORT_DRAWN set to a file descriptor number or a file's path, the
// window writes "drawn <bars>" there once, when its first frame with a
// project's bars has gone to the display. Unset, it costs one getenv.
void CalenderWin::_ReportDrawn()
{
    if (fReportDrawn.empty())
        return;
    UpdateIfNeeded();
    const std::string line = "drawn " + std::to_string(fCal->CountBars()) + "\n";
    const bool isFd = fReportDrawn.find_first_not_of("0123456789") == std::string::npos;
    const int fd =
        isFd ? atoi(fReportDrawn.c_str())
             : open(fReportDrawn.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        if (write(fd, line.data(), line.size()) < 0)
            perror("VANTREL_REPORT_DRAWN");
        close(fd);
    }
    fReportDrawn.clear();
}

// MARK: Messages

void CalenderWin::_Forward(BMessage* message)
{
    PostToApp(*message);
}

BMessage CalenderWin::QuitApproval()
{
    BMessage approval(B_QUIT_REQUESTED);
    approval.AddBool(kQuitApproved, true);
    return approval;
}

std::string CalenderWin::TitleFor(const std::string& project)
{
    if (project.empty())
        return kProduct;
    return std::string(kProduct) + ": " + project;
}

bool CalenderWin::QuitRequested()
{
    const BMessage* current = CurrentMessage();
    const bool approved =
        fQuitAllowed || (current != nullptr && current->GetBool(kQuitApproved, false));
    if (!approved) {
        // The project may hold unsaved work: the application decides.
        PostToApp('X_OW');
        PostToApp('VTCC');
        return false;
    }
    fCal->RemoveWorkerBars();
    return true;
}

void CalenderWin::MessageReceived(BMessage* message)
{
    const uint32 what = message->what;
    if (std::find(std::begin(kForwarded), std::end(kForwarded), what) != std::end(kForwarded))
        return _Forward(message);
    switch (what) {
    case 'WBRA':
    case 'WBKN':
    case 'WBRO':
    case 'CVMO':
    case 'MOVX':
        fCal->MessageReceived(message);
        return;
    case 'CVPR':
        fCal->MessageReceived(message);
        return;
    case 'WB_A':
        fCal->AddWorkerBars();
        FixScrollbars(false);
        _Enable('X_OW', ord_exist.load() != 0 && fCal->CountBars() > 0);
        // After the redraw the bars asked for, which is queued already.
        if (!fReportDrawn.empty() && fCal->CountBars() > 0)
            PostMessage(kReportDrawn);
        return;
    case kReportDrawn:
        return _ReportDrawn();
    case 'WB_K':
        return fCal->RemoveWorkerBars();
    case 'AMOD':
    case 'LMOD':
    case 'XMOD':
    case 'EMOD':
        return SetDSM(message);
    case 'FixS':
    case 'FiyS':
        return FixScrollbars(false);
    case 'VICU':
        fCal->Invalidate();
        fCal->Background()->Invalidate();
        ScanDefsFolderBMI();
        return FixScrollbars(false);
    case 'HUPD':
    case 'Hrog':
        fCal->Background()->Invalidate();
        return SetHdyMenu();
    case 'NEWU':
        return FixUserInfo();
    case 'MIMG':
        return DrawXToMaster();
    case '_PRW':
        ViewPrint(fBack);
        return;
    case B_MOUSE_WHEEL_CHANGED:
        return Wheel4Scrollbars(message);
    case B_KEY_DOWN:
        return KeyByOpen(0, message, 0);
    case '_BLC':
    case 'sMLC':
        return RefreshLocalizableStuff();
    case '1235':
        return ExtendMenu();
    case 'Oyes':
        SetTitle(TitleFor(DEFS_ORD_IO.Get()).c_str());
        SetMenuTo(true);
        return SetMenuToFail(true);
    case 'O_no':
        SetTitle(kProduct);
        // The knobs' orders are gone with their list.
        fCal->RemoveWorkerBars();
        SetMenuTo(false);
        SetMenuToFail(false);
        ScanDefsFolderBMI();
        return FixScrollbars(false);
    case 'PREF':
    case 'CURL':
    case 'CILL':
    case 'Hchg':
    case 'OPRH':
        return OpenConfigCard(message);
    case 'W+TE':
        _RescanTemplates(fWTemplates, ord_exist.load() != 0);
        return SetMenuToUser();
    case 'O+TE':
        _RescanTemplates(fOTemplates, ord_exist.load() != 0);
        return SetMenuToUser();
    case 'SCTM':
        _RescanTemplates(fWTemplates, ord_exist.load() != 0);
        _RescanTemplates(fOTemplates, ord_exist.load() != 0);
        return SetMenuToUser();
    case 'S_AS':
        printf(" [Save as]. \n");
        return _Forward(message);
    case 'VTWO':
    case 'VTOO':
    case 'ODEF':
        PostToApp(what);
        return;
    case 'VTTL':
    case kWindowSetTitle:
        SetTitle(message->GetString("title", kProduct));
        return;
    case kWindowActivate:
        Activate(message->GetBool("active", true));
        return;
    case kWindowScanProjects:
        ScanDefsFolderBMI(nullptr);
        return;
    case B_SIMPLE_DATA:
        XML_Splice(message, 0);
        return;
    case B_KEY_UP:
    case B_MODIFIERS_CHANGED:
    case B_UNMAPPED_KEY_DOWN:
    case B_UNMAPPED_KEY_UP:
        return;
    default:
        printf("CalenderWin?? '%s'\n", long2asc(what).c_str());
    }
}

clView* CalenderWin::Toggle(int32 index) const
{
    return index >= 0 && index < 3 ? fToggles[index] : nullptr;
}

XButton* CalenderWin::Button(const char* name) const
{
    for (XButton* button : fButtons) {
        if (button != nullptr && button->Name() != nullptr && std::string(button->Name()) == name)
            return button;
    }
    return nullptr;
}
