#include "shell/VTApp.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unordered_map>

#include "app/Globals.h"
#include "app/NameCheck.h"
#include "app/Notices.h"
#include "app/Paths.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "app/Utf8Text.h"
#include "calendar/TimeValue.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "exchange/XmlExport.h"
#include "exchange/XmlImport.h"
#include "kit/app/AppDefs.h"
#include "kit/app/Autolock.h"
#include "kit/app/EntryRef.h"
#include "kit/app/Invoker.h"
#include "kit/interface/Alert.h"

namespace {

constexpr const char* kProduct = "Vantrel";
constexpr const char* kLabelFile = "language.html";
// "Save as" keeps this many bytes of the name it is given.
constexpr size_t kSaveAsNameMax = kTypedNameMax;

// The editors' reports that their typed text is applied, and the answer to
// the unsaved-changes question ("which": 0 save, 1 discard, 2 cancel).
constexpr uint32 kOrderTextApplied = 'VTao';
constexpr uint32 kWorkerTextApplied = 'VTaw';
constexpr uint32 kUnsavedAnswer = 'VTus';
// An action the unsaved-changes check has let through.
constexpr const char* kWorkChecked = "vt:checked";
// What the editors apply their typed text on ('OAPL' answers with the code
// in "reply", 'WAPP' posts its "then").
constexpr uint32 kOrderApply = 'OAPL';
constexpr uint32 kWorkerApply = 'WAPP';

enum UnsavedButton : int32
{
    kSaveButton = 0,
    kDiscardButton = 1,
    kCancelButton = 2,
};

// How the router handles a code that is not its own.
enum class Route
{
    kWorkerEditor,
    kOrderEditor,
    kMainWindow,
    kMainWindowWithOrders, // only while the order list exists
    kOrders,
    kOrdersWhileOpen,  // only while ord_exist is 1
    kWorkersWhileOpen, // the same flag: both lists come with a project
    kHolidays,
};

const std::unordered_map<uint32, Route>& RouteTable()
{
    static const std::unordered_map<uint32, Route> table = [] {
        std::unordered_map<uint32, Route> routes;
        const auto add = [&routes](Route route, std::initializer_list<uint32> codes) {
            for (uint32 code : codes)
                routes.emplace(code, route);
        };
        add(Route::kWorkerEditor, {'DAYa', 'DAYT', 'DAYp', 'DAYs', '3000', '3123', 'WUI!', 'WUI+',
                                   'WUI-', 'WUIx', 'WUIy', 'WUIz', 'WNA_', 'WOPR'});
        add(Route::kOrderEditor,
            {'ORPR', '2000', '2123', 'OCHK', 'OBWD', 'OADW', 'ODel', 'OFWD', 'ONA_', 'PBIF', 'OUIx',
             'OSAM', 'OSUM', 'OUPU', 'OxSS', 'PB00', 'PBRU'});
        // 'CVMO' comes from the holiday reload; the main window handles it.
        add(Route::kMainWindow,
            {'1235', 'CILL', 'CURL', 'FiyS', 'FixS', 'Hrog', 'NEWU', 'MIMG', 'MOVX', 'O+TE', 'W+TE',
             'VICU', 'WB_A', 'WBKN', 'WBRA', 'WBRO', 'SCTM', '_PRW', 'CVMO'});
        add(Route::kMainWindowWithOrders, {'AMOD', 'EMOD', 'LMOD', 'XMOD', '_MWC'});
        add(Route::kOrders, {'OADD', 'OsDD', 'OsPD'});
        add(Route::kOrdersWhileOpen, {'O+TF', 'OCHA', 'OMRK', 'OPTA', 'OPTC', 'OPTD', 'OPTE',
                                      'OPTO', 'OPTS', 'OPRH', 'OPRL', 'RPDL', 'SPDL'});
        add(Route::kWorkersWhileOpen, {'W+TF', 'WADD'});
        add(Route::kHolidays, {'Hrel', 'Hedi', 'Hsav'});
        return routes;
    }();
    return table;
}

std::string Title(const std::string& project)
{
    return std::string(kProduct) + ": " + project;
}

void SaveFailed(const std::string& path)
{
    AnyAlert(
        ("The project could not be saved:\n" + path + "\nThe previous file is unchanged.").c_str());
}

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

} // namespace

// MARK: Life cycle

VTApp::VTApp(std::function<void(WindowRegistry&)> makers)
    : BApplication("application/x-vnd.KS-Vantrel"), fListLock("VTApp lists")
{
    if (!Getsettings()) {
        Setsettings();
        Getsettings();
    }
    ord_exist = 0;
    wko_exist = 0;
    if (makers)
        makers(fWindows);
    fWindows.Make(WindowRole::kMainWindow);
}

VTApp::~VTApp()
{
    Setsettings();
    if (STOrder* orders = STOrder::Existing())
        orders->DeleteMe();
    if (STWorker* workers = STWorker::Existing())
        workers->DeleteMe();
    printf("DEL ~VTApp\n");
}

void VTApp::SetNameCardMaker(NameCardMaker maker)
{
    fNameCard = std::move(maker);
}

bool VTApp::QuitRequested()
{
    // An open window first closes the way the user closes it, so the editors
    // write what they write when they close before the lists go.
    if (fWindows.IsOpen(WindowRole::kMainWindow)) {
        _PostTo(WindowRole::kMainWindow, B_QUIT_REQUESTED);
        return false;
    }
    if (fWindows.IsOpen(WindowRole::kOrderEditor) || fWindows.IsOpen(WindowRole::kWorkerEditor)) {
        // Asked about unsaved work already: the lists stay until it is gone.
        _AfterClosing({WindowRole::kOrderEditor, WindowRole::kWorkerEditor}, [this] {
            BMessage quit(B_QUIT_REQUESTED);
            quit.AddBool(kWorkChecked, true);
            FollowUp(quit);
        });
        return false;
    }
    BAutolock lock(fListLock);
    if (STOrder* orders = STOrder::Existing())
        orders->DeleteMe();
    if (STWorker* workers = STWorker::Existing())
        workers->DeleteMe();
    return true;
}

void VTApp::AboutRequested()
{
    auto* alert =
        new BAlert("About Vantrel",
                   " Vantrel \n \t 20030823\n\n"
                   " Plans the orders of a workshop\n onto the working time of its workers.",
                   "Close", nullptr, nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
    // The application thread goes on handling commands while it is open.
    alert->Go(nullptr);
}

// MARK: Files given to the program

void VTApp::ArgvReceived(int32 argc, char** argv)
{
    for (int32 i = 1; i < argc; i++) {
        BMessage refs(B_REFS_RECEIVED);
        entry_ref ref(argv[i]);
        refs.AddRef("refs", &ref);
        RefsReceived(&refs);
    }
}

void VTApp::RefsReceived(BMessage* message)
{
    printf("### VT-App:\n");
    entry_ref ref;
    if (message->FindRef("refs", &ref) != B_OK)
        return;
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical(ref.path, error);
    if (error)
        return;
    printf("RR. . . %s\n", path.c_str());

    if (path.extension() == ".vto") {
        // A project is its files in "defs"; one elsewhere is not opened as
        // if it were the project of that name there.
        if (!SameFolder(path.parent_path(), BuildPath(path2app, kDefsFolder))) {
            AnyAlert(("Projects open from the \"defs\" folder:\n" + path.string()).c_str());
            return;
        }
        BMessage open('OPEN');
        open.AddString("open", path.stem().string());
        FollowUp(open);
        return;
    }

    BMessage data(B_SIMPLE_DATA);
    entry_ref resolved(path.string());
    data.AddRef("refs", &resolved);
    if (fWindows.IsOpen(WindowRole::kOrderEditor))
        _Forward(WindowRole::kOrderEditor, data);
    else
        XML_Splice(&data, kSpliceOrders);
}

// MARK: The router

void VTApp::DispatchMessage(BMessage* message, BHandler* handler)
{
    if (handler != this)
        return BApplication::DispatchMessage(message, handler);
    if ((fClosing || fHeld) && !_RunsWhileClosing(message->what)) {
        fDeferred.push_back(*message);
        return;
    }
    _Dispatch(message);
    _RunQueued();
}

void VTApp::_Dispatch(BMessage* message)
{
    if (_MayLoseWork(*message) && _HoldForUnsaved(*message))
        return;
    BApplication::DispatchMessage(message, this);
}

void VTApp::MessageReceived(BMessage* message)
{
    _Route(message);
}

void VTApp::FollowUp(const BMessage& message)
{
    fFollowUps.push_back(message);
}

void VTApp::_RunQueued()
{
    for (;;) {
        fDeferred.insert(fDeferred.begin(), std::make_move_iterator(fFollowUps.begin()),
                         std::make_move_iterator(fFollowUps.end()));
        fFollowUps.clear();
        if (fClosing || fHeld || fDeferred.empty())
            return;
        BMessage message = std::move(fDeferred.front());
        fDeferred.pop_front();
        _Dispatch(&message);
        // Whatever comes after a quit request waits for its answer.
        if (message.what == B_QUIT_REQUESTED)
            return;
    }
}

bool VTApp::_RunsWhileClosing(uint32 what)
{
    switch (what) {
    case 'VTWC':
    case 'VTOC':
    case B_CANCEL:
    case 'Oyes':
    case 'O_no':
    case 'Wyes':
    case 'W_no':
    case kOrderTextApplied:
    case kWorkerTextApplied:
    case kUnsavedAnswer:
        return true;
    default:
        return false;
    }
}

void VTApp::_Route(BMessage* message)
{
    if (_RouteTable(message))
        return;

    switch (message->what) {
    case 'HUPD':
        DoWithWorker(message);
        DoWithOrder(message);
        return _Forward(WindowRole::kMainWindow, *message);
    case 'S_DA':
        return _SaveAll(message);
    case 'O_XM':
        return _ExportXML();
    case 'OsRE':
        return _Reload(message, true);
    case 'WsRE':
        return _Reload(message, false);
    case 'OPEN':
        return OpenSchedule(message);
    case 'SAS_':
        printf(" [Save as 'SAS_']. \n");
        return SaveWithName(message);
    case 'S_AS':
        printf(" [Save as 'S_AS']. \n");
        return _AskName('SAS_');
    case 'NewN':
        printf(" [NewN]. \n");
        return _AskName('NNA_');
    case 'NwWT':
        return _AskName('WNA_');
    case 'NwOT':
        return _AskName('ONA_');
    case 'WDel':
        _PostTo(WindowRole::kMainWindow, 'AMOD');
        return _Forward(WindowRole::kWorkerEditor, *message);
    case 'Oyes':
    case 'O_no':
        // The list's own state, not the notice: a late 'O_no' must not hide
        // a list made since.
        ord_exist = STOrder::Existing() != nullptr ? 1 : 0;
        return _Forward(WindowRole::kMainWindow, *message);
    case 'Wyes':
    case 'W_no':
        wko_exist = STWorker::Existing() != nullptr ? 1 : 0;
        return;
    case 'VTWO':
        return _OpenEditor(WindowRole::kWorkerEditor, WindowRole::kOrderEditor);
    case 'VTOO':
        return _OpenEditor(WindowRole::kOrderEditor, WindowRole::kWorkerEditor);
    case 'VTCO':
        return OpenCalender();
    case 'VTWC':
        _TextApplied(WindowRole::kWorkerEditor);
        return _WindowClosed(WindowRole::kWorkerEditor);
    case 'VTOC':
        _TextApplied(WindowRole::kOrderEditor);
        return _WindowClosed(WindowRole::kOrderEditor);
    case kOrderTextApplied:
        return _TextApplied(WindowRole::kOrderEditor);
    case kWorkerTextApplied:
        return _TextApplied(WindowRole::kWorkerEditor);
    case kUnsavedAnswer:
        return _UnsavedAnswered(message);
    case B_CANCEL:
        return _QuitRefused(message);
    case 'VTCC':
        return _MainWindowClosing();
    case 'X_OW':
        return _CloseProject();
    case '_BLC':
    case 'sMLC':
        return _ToBothEditors(message);
    case 'ODEF':
        reload_htm = 1;
        return OpenWithTracker(kTemplatesFolder, kLabelFile);
    case '8888':
        return _OpenLabelFile(1);
    case 'FPDL':
        return AnyAlert("For fixing this definitions,\nplase SAVE the Datas !   ");
    default:
        printf("Default VT-App: '%s'\n", long2asc(message->what).c_str());
    }
}

bool VTApp::_RouteTable(BMessage* message)
{
    const auto found = RouteTable().find(message->what);
    if (found == RouteTable().end())
        return false;
    switch (found->second) {
    case Route::kWorkerEditor:
        _Forward(WindowRole::kWorkerEditor, *message);
        break;
    case Route::kOrderEditor:
        _Forward(WindowRole::kOrderEditor, *message);
        break;
    case Route::kMainWindow:
        _Forward(WindowRole::kMainWindow, *message);
        break;
    case Route::kMainWindowWithOrders:
        if (ord_exist != 0)
            _Forward(WindowRole::kMainWindow, *message);
        break;
    case Route::kOrders:
        DoWithOrder(message);
        break;
    case Route::kOrdersWhileOpen:
        if (ord_exist == 1)
            DoWithOrder(message);
        break;
    case Route::kWorkersWhileOpen:
        if (ord_exist == 1)
            DoWithWorker(message);
        break;
    case Route::kHolidays:
        DoWithHolidays(message);
        break;
    }
    return true;
}

// MARK: Windows

void VTApp::SendToClass(int32 target, BMessage* message)
{
    switch (target) {
    case 1:
        return _Forward(WindowRole::kWorkerEditor, *message);
    case 2:
        return _Forward(WindowRole::kOrderEditor, *message);
    case 3:
    case 5:
        return _Forward(WindowRole::kMainWindow, *message);
    default:
        printf("SendToClass: witch? %d \n", int(target));
        message->PrintToStream();
    }
}

void VTApp::_Forward(WindowRole role, const BMessage& message)
{
    // A window that is not open misses nothing it could use.
    fWindows.Post(role, message);
}

void VTApp::_PostTo(WindowRole role, uint32 what)
{
    _Forward(role, BMessage(what));
}

void VTApp::_SetTitle(const std::string& title)
{
    BMessage request(kWindowSetTitle);
    request.AddString("title", title);
    _Forward(WindowRole::kMainWindow, request);
}

void VTApp::OpenCalender()
{
    if (!fWindows.IsOpen(WindowRole::kMainWindow)) {
        fWindows.Make(WindowRole::kMainWindow);
        return;
    }
    BMessage back(kWindowActivate);
    back.AddBool("active", false);
    _Forward(WindowRole::kOrderEditor, back);
    _Forward(WindowRole::kWorkerEditor, back);
    BMessage front(kWindowActivate);
    front.AddBool("active", true);
    _Forward(WindowRole::kMainWindow, front);
}

void VTApp::_OpenEditor(WindowRole role, WindowRole other)
{
    if (fWindows.IsOpen(role)) {
        BMessage back(kWindowActivate);
        back.AddBool("active", false);
        _Forward(other, back);
        BMessage front(kWindowActivate);
        front.AddBool("active", true);
        _Forward(role, front);
        return;
    }
    if (reload_htm == 1)
        STLabel::getSTLabel()->Reload();
    fWindows.Make(role);
}

void VTApp::_ToBothEditors(BMessage* message)
{
    _PostTo(WindowRole::kWorkerEditor, '3000');
    _PostTo(WindowRole::kOrderEditor, '2000');
    SendToClass(5, message);
}

void VTApp::GetNameForNewFile(BMessage* request)
{
    if (!fNameCard)
        return;
    fNameCard(*request, BPoint(CWin_X + 80, CWin_Y + 80));
}

void VTApp::_AskName(uint32 request)
{
    BMessage message(request);
    GetNameForNewFile(&message);
}

void VTApp::OpenWithTracker(const char* folder, const char* name)
{
    OpenFileWithTracker(BuildPath(path2app, folder, name).c_str(), 0);
}

void VTApp::_OpenLabelFile(int32 mode)
{
    OpenFileWithTracker(BuildPath(path2app, kTemplatesFolder, kLabelFile).c_str(), mode);
}

// MARK: Waiting for windows to close

void VTApp::_AfterClosing(std::initializer_list<WindowRole> roles, std::function<void()> then)
{
    std::vector<WindowRole> waiting;
    for (WindowRole role : roles) {
        if (!fWindows.IsOpen(role))
            continue;
        if (fWindows.Post(role, BMessage(B_QUIT_REQUESTED)) == B_OK)
            waiting.push_back(role);
        else
            fWindows.Forget(role);
    }
    if (waiting.empty())
        return then();
    fClosing = Closing{std::move(waiting), std::move(then)};
}

void VTApp::_WindowClosed(WindowRole role)
{
    fWindows.Forget(role);
    if (!fClosing)
        return;
    std::erase(fClosing->waiting, role);
    if (!fClosing->waiting.empty())
        return;
    std::function<void()> then = std::move(fClosing->then);
    fClosing.reset();
    then();
}

void VTApp::_QuitRefused(BMessage* message)
{
    if (!fClosing)
        return;
    const auto role = static_cast<WindowRole>(message->GetInt32("target", 0));
    if (std::find(fClosing->waiting.begin(), fClosing->waiting.end(), role) ==
        fClosing->waiting.end())
        return;
    // The window stays, and so does everything it was to be closed for.
    printf("VT-App: closing cancelled\n");
    fClosing.reset();
}

// MARK: Unsaved work

bool VTApp::_MayLoseWork(const BMessage& message) const
{
    if (message.GetBool(kWorkChecked, false))
        return false;
    switch (message.what) {
    case 'X_OW':
    // A reload makes the list again from its file.
    case 'OsRE':
    case 'WsRE':
        return true;
    case 'OPEN': {
        // A name that will be refused loses nothing.
        std::string name;
        return message.FindString("open", &name) == B_OK && !TypedNameRefusal(name);
    }
    case B_QUIT_REQUESTED:
        // With the main window open, quitting closes it first, and its
        // close is checked.
        return !fWindows.IsOpen(WindowRole::kMainWindow);
    default:
        return false;
    }
}

bool VTApp::_Unsaved(uint32 action) const
{
    // A reload loses the changes of its own list only.
    if (STOrder* orders = STOrder::Existing();
        action != 'WsRE' && orders != nullptr && orders->Modified())
        return true;
    if (STWorker* workers = STWorker::Existing();
        action != 'OsRE' && workers != nullptr && workers->Modified())
        return true;
    // The holidays outlive projects; only quitting loses them.
    STHolidays* holidays = action == B_QUIT_REQUESTED ? STHolidays::Existing() : nullptr;
    return holidays != nullptr && holidays->Modified();
}

bool VTApp::_HoldForUnsaved(const BMessage& action)
{
    if (action.what == 'X_OW')
        fCloseRefused = false;
    fHeld = HeldAction{action, {}, false};
    // Half-typed text is unsaved work too, and a save must include it.
    BMessage orderApply(kOrderApply);
    orderApply.AddInt32("reply", int32(kOrderTextApplied));
    if (fWindows.IsOpen(WindowRole::kOrderEditor) &&
        fWindows.Post(WindowRole::kOrderEditor, orderApply) == B_OK)
        fHeld->applying.push_back(WindowRole::kOrderEditor);
    BMessage workerApply(kWorkerApply);
    BMessage applied(kWorkerTextApplied);
    workerApply.AddMessage("then", &applied);
    if (fWindows.IsOpen(WindowRole::kWorkerEditor) &&
        fWindows.Post(WindowRole::kWorkerEditor, workerApply) == B_OK)
        fHeld->applying.push_back(WindowRole::kWorkerEditor);
    if (!fHeld->applying.empty())
        return true;
    switch (_Settle()) {
    case Verdict::kGoOn:
        fHeld.reset();
        return false;
    case Verdict::kKeep:
        _KeepAll();
        return true;
    case Verdict::kAsked:
        return true;
    }
    return true;
}

void VTApp::_TextApplied(WindowRole role)
{
    if (!fHeld || fHeld->asked)
        return;
    const auto before = fHeld->applying.size();
    std::erase(fHeld->applying, role);
    if (fHeld->applying.size() == before || !fHeld->applying.empty())
        return;
    switch (_Settle()) {
    case Verdict::kGoOn:
        return _GoOn();
    case Verdict::kKeep:
        return _KeepAll();
    case Verdict::kAsked:
        return;
    }
}

VTApp::Verdict VTApp::_Settle()
{
    if (!_Unsaved(fHeld->action.what))
        return Verdict::kGoOn;
    // The option's promise: the lists are written when their windows close.
    if ((prefsdata.load() & VTa_SAVEONCLOSE) != 0)
        return _SaveLists() ? Verdict::kGoOn : Verdict::kKeep;
    fHeld->asked = true;
    const std::string project = DEFS_ORD_IO.Get();
    const std::string text = project.empty() || project == "_"
                                 ? std::string("There are unsaved changes.")
                                 : "The project '" + project + "' has unsaved changes.";
    auto* alert = new BAlert("Unsaved changes", (text + "\nSave them first?").c_str(), "Save",
                             "Discard", "Cancel", B_WIDTH_AS_USUAL, B_WARNING_ALERT);
    alert->SetShortcut(kSaveButton, 's');
    alert->SetShortcut(kDiscardButton, 'd');
    // The answer comes back as a message: the application never waits.
    alert->Go(new BInvoker(new BMessage(kUnsavedAnswer), this));
    return Verdict::kAsked;
}

void VTApp::_UnsavedAnswered(BMessage* answer)
{
    if (!fHeld || !fHeld->asked)
        return;
    switch (answer->GetInt32("which", kCancelButton)) {
    case kSaveButton:
        return _SaveLists() ? _GoOn() : _KeepAll();
    case kDiscardButton:
        return _GoOn();
    default:
        return _KeepAll();
    }
}

void VTApp::_GoOn()
{
    BMessage action = std::move(fHeld->action);
    fHeld.reset();
    action.AddBool(kWorkChecked, true);
    FollowUp(action);
}

void VTApp::_KeepAll()
{
    // The main window's close comes with the close of its project
    // ('X_OW', 'VTCC'): the window stays too.
    fCloseRefused = fHeld->action.what == 'X_OW';
    fHeld.reset();
    printf("VT-App: kept the unsaved changes\n");
}

bool VTApp::_SaveLists()
{
    bool saved = true;
    if (STWorker* workers = STWorker::Existing();
        workers != nullptr && !workers->SaveWorkerList()) {
        SaveFailed(BuildPath(path2app, kDefsFolder, workers->Name().c_str(), ".vtw"));
        saved = false;
    }
    if (STOrder* orders = STOrder::Existing(); orders != nullptr && !orders->SaveOrderList()) {
        SaveFailed(BuildPath(path2app, kDefsFolder, orders->Name().c_str(), ".vto"));
        saved = false;
    }
    STHolidays* holidays = STHolidays::Existing();
    if (holidays != nullptr && holidays->Modified() && !holidays->SaveHolidaysList()) {
        SaveFailed(BuildPath(path2app, kDefsFolder, DEFS_HDY_IO.c_str(), ".vth"));
        saved = false;
    }
    // The export is a copy: the project is safe without it.
    if (saved && (STOrder::Existing() != nullptr || STWorker::Existing() != nullptr) && !XML_Save())
        SaveFailed(BuildPath(path2app, kDefsFolder, DEFS_ORD_IO.Get().c_str(), ".xml"));
    _PostTo(WindowRole::kMainWindow, kWindowScanProjects);
    return saved;
}

// MARK: Projects

void VTApp::_DropOrderList()
{
    BAutolock lock(fListLock);
    if (STOrder* orders = STOrder::Existing())
        orders->DeleteMe();
    DEFS_ORD_IO = "_";
    ord_exist = 0;
    _SetTitle(kProduct);
}

void VTApp::_DropWorkerList()
{
    BAutolock lock(fListLock);
    if (STWorker* workers = STWorker::Existing())
        workers->DeleteMe();
    wko_exist = 0;
}

void VTApp::CloseOrder()
{
    _AfterClosing({WindowRole::kOrderEditor}, [this] { _DropOrderList(); });
}

void VTApp::CloseWorker()
{
    _AfterClosing({WindowRole::kWorkerEditor}, [this] { _DropWorkerList(); });
}

void VTApp::OpenSchedule(BMessage* message)
{
    std::string name;
    if (message->FindString("open", &name) != B_OK) {
        printf("Err Filename\n");
        return;
    }
    if (const std::optional<std::string> why = TypedNameRefusal(name)) {
        AnyAlert(why->c_str());
        return;
    }
    _PostTo(WindowRole::kMainWindow, 'LMOD');
    printf("NEW FILES: '%s'  \n", name.c_str());
    _AfterClosing({WindowRole::kOrderEditor, WindowRole::kWorkerEditor}, [this, name] {
        _DropOrderList();
        _DropWorkerList();
        _OpenProject(name);
    });
}

void VTApp::_OpenProject(const std::string& name)
{
    DEFS_WKO_IO = name;
    DEFS_ORD_IO = name;
    _SetTitle(Title(name));
    for (uint32 what : {'VTWO', 'VTOO', 'WB_A', 'VTCO'})
        FollowUp(BMessage(what));
}

void VTApp::SaveWithName(BMessage* message)
{
    std::string given;
    if (message->FindString("save_as", &given) != B_OK) {
        printf("Err Filename\n");
        return;
    }
    const std::string name = Utf8Cut(given, kSaveAsNameMax);
    printf("SAVE WITH NEW NAME: '%s' \n", name.c_str());
    if (const std::optional<std::string> why = TypedNameRefusal(name)) {
        AnyAlert(why->c_str());
        return;
    }
    if (wko_exist == 0) {
        printf("no w return\n");
        return;
    }
    if (ord_exist == 0) {
        printf("no 0 return\n");
        return;
    }
    const bool taken = IfExist(BuildPath(path2app, kDefsFolder, name.c_str(), ".vto").c_str()) ||
                       IfExist(BuildPath(path2app, kDefsFolder, name.c_str(), ".vtw").c_str());
    if (taken && name != DEFS_ORD_IO.Get() && !message->GetBool("replace", false)) {
        // Asked, not refused: the answer comes back as this command again.
        BMessage* again = new BMessage('SAS_');
        again->AddString("save_as", name);
        again->AddBool("replace", true);
        auto* alert =
            new BAlert("Save as", ("A project named '" + name + "' exists.\nReplace it?").c_str(),
                       "Cancel", "Replace", nullptr, B_WIDTH_AS_USUAL, B_WARNING_ALERT);
        alert->Go(new BInvoker(again, this));
        return;
    }
    if (message->HasInt32("which") && message->GetInt32("which", 0) != 1)
        return;
    _AfterClosing({WindowRole::kOrderEditor, WindowRole::kWorkerEditor},
                  [this, name] { _RenameProject(name); });
}

void VTApp::_RenameProject(const std::string& name)
{
    DEFS_WKO_IO = name;
    DEFS_ORD_IO = name;
    bool renamed = true;
    {
        BAutolock lock(fListLock);
        if (STWorker* workers = STWorker::Existing())
            renamed = workers->SetProjectName(name) && renamed;
    }
    {
        BAutolock lock(fListLock);
        if (STOrder* orders = STOrder::Existing())
            renamed = orders->SetProjectName(name) && renamed;
    }
    if (!renamed) {
        printf("SAVE WITH NEW NAME: '%s' refused\n", name.c_str());
        return;
    }
    _SetTitle(Title(name));
    for (uint32 what : {'S_DA', 'VTWO', 'VTOO', 'WB_A'})
        FollowUp(BMessage(what));
}

void VTApp::_CloseProject()
{
    _AfterClosing({WindowRole::kOrderEditor, WindowRole::kWorkerEditor}, [this] {
        {
            BAutolock lock(this);
            _DropOrderList();
            _DropWorkerList();
        }
        ord_exist = 0;
        wko_exist = 0;
        _PostTo(WindowRole::kMainWindow, 'VICU');
    });
}

void VTApp::_MainWindowClosing()
{
    if (fCloseRefused) {
        fCloseRefused = false;
        return;
    }
    // The main window asked and waits for the answer: it may go now, and
    // nothing more goes to it.
    BMessage approval(B_QUIT_REQUESTED);
    approval.AddBool(kQuitApproved, true);
    fWindows.Post(WindowRole::kMainWindow, approval);
    fWindows.Forget(WindowRole::kMainWindow);
    _AfterClosing({WindowRole::kOrderEditor, WindowRole::kWorkerEditor}, [this] {
        _DropOrderList();
        _DropWorkerList();
        FollowUp(BMessage(B_QUIT_REQUESTED));
    });
}

void VTApp::_Reload(BMessage* message, bool orders)
{
    // The list is made again from its project's file, so the name has to
    // survive the close, which clears it.
    const std::string project = orders ? DEFS_ORD_IO.Get() : DEFS_WKO_IO.Get();
    BMessage reload(*message);
    if (orders) {
        _AfterClosing({WindowRole::kOrderEditor}, [this, project, reload]() mutable {
            _DropOrderList();
            DEFS_ORD_IO = project;
            DoWithOrder(&reload);
        });
    } else {
        _AfterClosing({WindowRole::kWorkerEditor}, [this, project, reload]() mutable {
            _DropWorkerList();
            DEFS_WKO_IO = project;
            DoWithWorker(&reload);
        });
    }
}

// MARK: The lists

void VTApp::DoWithOrder(BMessage* message)
{
    STOrder* orders = STOrder::getSTOrder();
    if (orders == nullptr) {
        ord_exist = 0;
        return;
    }
    _SetTitle(Title(DEFS_ORD_IO.Get()));

    switch (message->what) {
    case 'OADD':
        orders->AddOrder(true);
        FollowUp(BMessage('VTOO'));
        break;
    case 'O+TF':
        orders->AddOrderTemplate(message);
        break;
    case 'OCHA':
    case 'HUPD':
        orders->CheckAllOrders();
        _PostTo(WindowRole::kMainWindow, 'WB_A');
        break;
    case 'OMRK':
        orders->MarkOrderX(message);
        break;
    case 'OPRH':
        orders->UserDefOut(htm_form);
        break;
    case 'OPRL':
        orders->PrintListAsc(nullptr);
        break;
    case 'OPTS':
        orders->ScanOrderTimes();
        break;
    case 'OPTO':
        orders->OptimiertDiffTimesA();
        break;
    case 'OPTA':
        orders->OptimiertDiffTimesB();
        break;
    case 'OPTC':
        orders->OptimiertDiffTimesC();
        break;
    case 'OPTD':
        orders->OptimiertDiffTimesD();
        break;
    case 'OPTE':
        orders->OptimiertDiffTimesE();
        break;
    case 'SPDL':
        orders->SavePDL();
        break;
    case 'RPDL':
        orders->RestorePDL();
        break;
    case 'OsDD':
        orders->Sort2DeadDatum();
        _PostTo(WindowRole::kMainWindow, 'WB_A');
        break;
    case 'OsPD':
        orders->Sort2PlanDatum();
        _PostTo(WindowRole::kMainWindow, 'WB_A');
        break;
    case 'OsRE':
        _PostTo(WindowRole::kMainWindow, 'WB_A');
        break;
    case 'S_DA':
        if (!orders->SaveOrderList())
            SaveFailed(BuildPath(path2app, kDefsFolder, orders->Name().c_str(), ".vto"));
        _PostTo(WindowRole::kMainWindow, kWindowScanProjects);
        break;
    default:
        printf("VT-App::DoWithOrder? '%s'\n", long2asc(message->what).c_str());
    }
}

void VTApp::DoWithWorker(BMessage* message)
{
    STWorker* workers = STWorker::getSTWorker();
    if (workers == nullptr) {
        wko_exist = 0;
        return;
    }
    switch (message->what) {
    case 'WADD':
        workers->AddWorker();
        _PostTo(WindowRole::kMainWindow, 'WB_A');
        break;
    case 'W+TF':
        workers->AddWorkerTemplate(message);
        _PostTo(WindowRole::kMainWindow, 'WB_A');
        break;
    case 'HUPD':
        workers->CheckAllWorkers();
        break;
    case 'S_DA':
        if (!workers->SaveWorkerList())
            SaveFailed(BuildPath(path2app, kDefsFolder, workers->Name().c_str(), ".vtw"));
        break;
    case 'WsRE':
        _PostTo(WindowRole::kMainWindow, 'WB_A');
        break;
    default:
        printf("VT-App::DoWithWorker? '%s'\n", long2asc(message->what).c_str());
    }
}

void VTApp::_SaveAll(BMessage* message)
{
    DoWithWorker(message);
    DoWithOrder(message);
    FollowUp(BMessage('O_XM'));
}

void VTApp::_ExportXML()
{
    // Without a project there is nothing to export, and a file for the
    // closed project's placeholder name would only be litter in "defs".
    if (STOrder::Existing() == nullptr && STWorker::Existing() == nullptr) {
        printf("VT-App: no project for XML\n");
        return;
    }
    if (!XML_Save())
        SaveFailed(BuildPath(path2app, kDefsFolder, DEFS_ORD_IO.Get().c_str(), ".xml"));
}

void VTApp::DoWithHolidays(BMessage* message)
{
    STHolidays* holidays = STHolidays::getSTHolidays();
    const std::string path = BuildPath(path2app, kDefsFolder, DEFS_HDY_IO.c_str(), ".vth");
    switch (message->what) {
    case 'Hedi':
        OpenFileWithTracker(path.c_str(), 0);
        break;
    case 'Hsav':
        if (holidays != nullptr && !holidays->SaveHolidaysList())
            SaveFailed(path);
        break;
    case 'Hrel': {
        if (holidays != nullptr)
            holidays->DeleteMe();
        STHolidays::getSTHolidays();
        if (wko_exist != 0) {
            STWorker* workers = STWorker::getSTWorker();
            if (workers == nullptr) {
                wko_exist = 0;
                return;
            }
            workers->CheckAllWorkers();
        }
        if (ord_exist != 0) {
            STOrder* orders = STOrder::getSTOrder();
            if (orders == nullptr) {
                ord_exist = 0;
                return;
            }
            orders->CheckAllOrders();
        }
        for (uint32 what : {'WBRA', 'CVMO', 'Hrog'})
            FollowUp(BMessage(what));
        break;
    }
    default:
        printf("VT-App::DoWithHolidays? '%s'\n", long2asc(message->what).c_str());
    }
}
