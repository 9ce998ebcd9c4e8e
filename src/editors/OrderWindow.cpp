#include "editors/OrderWindow.h"

#include <algorithm>
#include <cstdio>

#include "app/AppPost.h"
#include "app/FunctionKeys.h"
#include "app/Globals.h"
#include "app/NameCheck.h"
#include "app/Notices.h"
#include "app/Paths.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "app/TemplateMenus.h"
#include "app/WindowRoles.h"
#include "calendar/CalDay.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/RecordText.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "editors/OrderWindowField.h"
#include "exchange/XmlImport.h"
#include "kit/app/AppDefs.h"
#include "kit/app/Autolock.h"
#include "kit/app/Message.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/StringView.h"
#include "planner/PlanLock.h"
#include "planner/ProzView.h"
#include "widgets/CalCard.h"
#include "widgets/LinkTank.h"
#include "widgets/ViewPrint.h"

std::atomic<int32> OrderWindow::o_ptr{0};
std::atomic<int32> OrderWindow::pb_ptr{-1};
std::atomic<int32> OrderWindow::kbo_ord{0};

namespace {

constexpr float kMaxWidth = 1200;
constexpr float kMaxHeight = 500;
constexpr float kRow = 20;
constexpr float kButtonHeight = 22;
// A job drawn smaller than this is widened to it.
constexpr float kJobMinWidth = 40;
constexpr float kJobMinHeight = 20;
constexpr TInt kNewJobHours = 1600;
// Enough for "-9999:59" and a little more; the file holds any time value.
constexpr size_t kHoursMax = 12;
constexpr const char* kNoWorkerAlert = "There is no worker yet: add a worker before a job. ";
constexpr const char* kNegativeHoursAlert = "A job cannot take negative hours. ";
constexpr const char* kBadDateAlert = "Not a date (yyyy/mm/dd): ";

std::string label(const LabelArray& array, int32 index)
{
    return STLabel::getLabel(array, index);
}

BMessage* command(uint32 what)
{
    return new BMessage(what);
}

// A day text as the records keep it, or nothing for a text that is no day
// the date picker could show.
std::optional<std::string> day_text(const std::string& text)
{
    // The day parser takes anything (today for a short text); a typed day
    // must be the form the files hold.
    if (text.size() != 10)
        return std::nullopt;
    for (size_t i = 0; i < text.size(); i++) {
        const bool slash = i == 4 || i == 7;
        if (slash ? text[i] != '/' : (text[i] < '0' || text[i] > '9'))
            return std::nullopt;
    }
    std::unique_ptr<ks_calday> day = str2CDay(text);
    if (day == nullptr || day->year < CalCard::kFirstYear || day->year > CalCard::kLastYear ||
        day->month < 1 || day->month > 12 || day->day < 1 ||
        day->day > TagePerMonat(day->month - 1, day->year))
        return std::nullopt;
    return CDay2str(day.get());
}

// Leading blanks of the right-aligned day texts are no difference.
std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

// MARK: Construction

OrderWindow::OrderWindow(BRect frame)
    : BWindow(frame, "Order", B_TITLED_WINDOW, 0), fPreviousFrame(frame)
{
    STLabel::getSTLabel();
    STOrder::getSTOrder();
    SetSizeLimits(frame.Width(), std::max(frame.Width(), kMaxWidth), frame.Height(),
                  std::max(frame.Height(), kMaxHeight));
    _BuildControls();
    fShown = kNotShown;
    ZeigeOrder(o_ptr, 0);
    SetTitle(("Order: " + DEFS_ORD_IO.Get()).c_str());
    UpdateOrderPopUp();
    Show();
}

OrderWindow::~OrderWindow()
{
    ApplyPendingText();
    // The orders own the job bars: they must not go with the window.
    fCanvas->DeleteAllChilds();
    if ((prefsdata.load() & VTa_SAVEONCLOSE) != 0) {
        if (STOrder* list = STOrder::Existing())
            list->SaveOrderList();
    }
    fOrderMenu.reset();
    kbo_ord = 0;
    pb_ptr = -1;
    PostToApp('VTOC');
    printf("DEL OrderWindow DONE\n");
}

void OrderWindow::_BuildControls()
{
    const BRect bounds = Bounds();
    _BuildMenu(bounds);
    const float top = fMenuBar->Frame().bottom + 1;
    fBack = new BView(BRect(0, top, bounds.right, bounds.bottom), "oback", B_FOLLOW_ALL_SIDES,
                      B_WILL_DRAW);
    fBack->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
    AddChild(fBack);

    const float w = bounds.Width();
    const float third = (w - 16) / 3;
    float y = 4;
    fName = new OrderWindowField(BRect(4, y, 4 + third, y + kRow), "onam", label(o_labs, 0).c_str(),
                                 command('OA_N'), Order::kNameMax);
    fDrawing = new OrderWindowField(BRect(8 + third, y, 8 + 2 * third, y + kRow), "oznr",
                                    label(o_labs, 1).c_str(), command('OA_Z'), Order::kDrawingMax);
    fUnit = new OrderWindowField(BRect(12 + 2 * third, y, w - 4, y + kRow), "ouni",
                                 label(o_labs, 2).c_str(), command('OA_U'), Order::kToolMax,
                                 B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
    y += kRow + 4;
    fNeed = new BCheckBox(BRect(4, y, 24, y + kRow), "onui", "", command('OA_X'));
    auto* status = new BPopUpMenu("OStatus");
    for (int32 i = 0; i < 5; i++)
        status->AddItem(new BMenuItem(label(o_stat, i).c_str(), command('O_ST')));
    fStatus = new BMenuField(BRect(28, y, 150, y + kRow), "O_Stat", "", status);
    fStatus->SetDivider(0);
    auto* type = new BPopUpMenu("OTyp");
    for (int32 i = 0; i < 3; i++)
        type->AddItem(new BMenuItem(label(o_typ, i).c_str(), command('O_TY')));
    fType = new BMenuField(BRect(154, y, 256, y + kRow), "O_Typ", "", type);
    fType->SetDivider(0);
    fLinks = new LinkTank(BRect(w - 40, y, w - 4, y + 2 * kRow + 4), "o2lt",
                          B_FOLLOW_RIGHT | B_FOLLOW_TOP);
    y += kRow + 4;
    const float half = (w - 56) / 2;
    fDeadline = new OrderWindowField(BRect(4, y, 4 + half, y + kRow), "odli",
                                     label(o_labs, 3).c_str(), command('OA_D'), kDayTextMax);
    fPlanDate = new OrderWindowField(BRect(8 + half, y, 8 + 2 * half, y + kRow), "opdl",
                                     label(o_labs, 4).c_str(), command('OA_W'), kDayTextMax);
    y += kRow + 6;

    const float bottom = fBack->Bounds().bottom;
    const float buttons = bottom - kButtonHeight - 4;
    const float inputs = buttons - kRow - 4;
    fCanvas = new ProzView(BRect(4, y, w - 4, inputs - 4), "prozv");
    fHours = new OrderWindowField(BRect(4, inputs, 150, inputs + kRow), "pbtim",
                                  label(o_labs, 6).c_str(), command('PBRU'), kHoursMax,
                                  B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
    fInfo = new OrderWindowField(BRect(154, inputs, w - 130, inputs + kRow), "pbinf",
                                 label(o_labs, 8).c_str(), command('PBIF'), ProzBalken::kInfoMax,
                                 B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
    fSumView = new BStringView(BRect(w - 126, inputs, w - 4, inputs + kRow), "stds",
                               " sum:", B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);

    for (BView* view :
         std::initializer_list<BView*>{fName, fDrawing, fUnit, fNeed, fStatus, fType, fLinks,
                                       fDeadline, fPlanDate, fCanvas, fHours, fInfo, fSumView})
        fBack->AddChild(view);

    struct ButtonSpec
    {
        const char* name;
        std::string text;
        uint32 what;
    };
    const ButtonSpec specs[] = {
        {"ocal", label(butlab, 0), 'VTCO'},
        {"owko", label(butlab, 1), 'VTWO'},
        {"oprn", label(butlab, 3), 'ORPR'},
        {"satp", "Templ.", 'NwOT'},
        {"obwd", "<<", 'OBWD'},
        {"ofwd", ">>", 'OFWD'},
    };
    float x = 90;
    for (const ButtonSpec& spec : specs) {
        const float width = spec.what == 'NwOT' ? 52 : 40;
        auto* button =
            new BButton(BRect(x, buttons, x + width, buttons + kButtonHeight), spec.name,
                        spec.text.c_str(), command(spec.what), B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
        fBack->AddChild(button);
        x += width + 6;
    }
    _HideJobInputs();
}

void OrderWindow::_BuildMenu(BRect bounds)
{
    fMenuBar = new BMenuBar(BRect(0, 0, bounds.right, 18), "xMenu");
    auto* menu = new BMenu(" Menu");
    menu->AddItem(new BMenuItem(label(calmnu, 15).c_str(), command('OADD')));
    fTemplateMenu = new BMenu(label(calmnu, 14).c_str());
    GScan4Templates(fTemplateMenu, ".otp", 'O+TF');
    menu->AddItem(fTemplateMenu);
    menu->AddItem(new BMenuItem(label(templn, 6).c_str(), command('NwOT')));
    menu->AddItem(new BMenuItem(label(calmnu, 16).c_str(), command('OsDD')));
    menu->AddItem(new BMenuItem(label(calmnu, 17).c_str(), command('OsPD')));
    menu->AddItem(new BMenuItem(label(pb_lab, 3).c_str(), command('ODel')));
    fMenuBar->AddItem(menu);
    AddChild(fMenuBar);
}

// MARK: Messages

void OrderWindow::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case kWindowActivate: // the application brings the editor forward or back
        return Activate(message->GetBool("active", true));
    case 'OA_N':
    case 'OA_Z':
    case 'OA_U':
        return InputNames();
    case 'OA_X':
    case 'O_ST':
    case 'O_TY':
        return InputRules(message);
    case 'OA_D':
    case 'OA_W':
        return _DateFieldInvoked(message);
    case 'OTID':
    case 'OTIW':
        return _DateChosen(message);
    case 'OFWD':
        return _Page(1);
    case 'OBWD':
        return _Page(-1);
    case 'OUIx':
        return _ShowOrderWithID(message);
    case 'OCHK':
        return RescanOrder(o_ptr, true);
    case 'OSAM':
        fShown = kNotShown;
        return UpdateDataView(o_ptr, 1);
    case 'ODel':
        ApplyPendingText();
        return DeleteOneOrder(o_ptr);
    case 'ONA_':
        return SaveTemplate(message, o_ptr);
    case 'OADW':
        return AddProzBalken(message->GetRect("a_rect", BRect()));
    case 'OSUM':
        return _JobClicked(message);
    case 'OxSS':
        return StdInOut(0, nullptr);
    case 'OxSD':
    case 'PBRU':
        return SetProzBalkStd();
    case 'PBIF':
        return InfoInOut();
    case 'OUPU':
        return UpdateOrderPopUp();
    case 'SAOx':
        return SelectAnyOrder();
    case 'PB00':
        // A job took another worker: its times follow the new working week.
        return RescanOrder(o_ptr, true);
    case 'ORPR':
        return _Print();
    case B_SIMPLE_DATA:
        return XML_Splice(message, kSpliceOrders);
    case '_BLC':
    case 'sMLC':
        return _Relabel();
    case B_KEY_DOWN:
        return KeyByOpen(0, message, 0);
    case '2123':
        return ExtendMenu();
    case '2000':
        PostMessage(B_QUIT_REQUESTED);
        return;
    case 'OAPL':
        ApplyPendingText();
        if (message->HasInt32("reply"))
            PostToApp(uint32(message->GetInt32("reply", 0)));
        return;
    case 'NwOT':
    case 'ODEF':
    case 'RPDL':
    case 'SPDL':
    case 'VTCO':
    case 'VTWO':
    case 'OADD':
    case 'O+TF':
    case 'OsDD':
    case 'OsPD':
        return _Forward(message);
    case B_MOUSE_WHEEL_CHANGED:
    case B_KEY_UP:
    case '_PBL':
    case 'TICK':
        return;
    default:
        printf("OrderWindow?? '%s'\n", long2asc(message->what).c_str());
        BWindow::MessageReceived(message);
    }
}

bool OrderWindow::QuitRequested()
{
    ApplyPendingText();
    kbo_ord = 0;
    return true;
}

void OrderWindow::WindowActivated(bool active)
{
    BWindow::WindowActivated(active);
    if (!active)
        ApplyPendingText();
}

void OrderWindow::FrameMoved(BPoint where)
{
    BWindow::FrameMoved(where);
    OWin_X = where.x;
    OWin_Y = where.y;
}

void OrderWindow::FrameResized(float width, float height)
{
    BWindow::FrameResized(width, height);
    OWin_W = width;
    OWin_H = height;
    fPreviousFrame = Frame();
    fCanvas->Invalidate();
}

void OrderWindow::_Forward(BMessage* message)
{
    // What is typed belongs in the order before a template is made of it or
    // the list is sorted.
    ApplyPendingText();
    PostToApp(*message);
}

// MARK: Showing an order

Order* OrderWindow::_Shown(PlanLock& lock)
{
    return fOrderId >= 0 ? lock.OrderWithID(fOrderId) : nullptr;
}

void OrderWindow::ZeigeOrder(int32 index, int32 mode)
{
    PlanLock lock;
    STOrder* list = lock.Orders();
    if (list == nullptr || list->GetOMax() < 0) {
        _ShowNothing();
        return;
    }
    const int32 last = list->GetOMax();
    if (index < 0)
        index = last;
    else if (index > last)
        index = 0;
    Order* order = list->GetOrder(index);
    if (index == fShown && order->onr == fOrderId)
        return;
    fOrderShown = true;
    _EnableControls(true);
    o_ptr = index;
    fOrderId = order->onr;
    UpdateDataView(index, mode == 1 ? 0 : 0);
    fStatus->Menu()->ItemAt(std::clamp(order->ostat, 0, 4))->SetMarked(true);
    fType->Menu()->ItemAt(std::clamp(order->otyp, 0, 2))->SetMarked(true);
    fCanvas->VisOrderStat(order->ostat);
    _FillCanvas(*order);
    StdInOut(0, nullptr);
    fShown = index;
    fLinks->SetListPointer(order->onr);
}

void OrderWindow::_FillCanvas(Order& order)
{
    BAutolock orderLock(order.o_lock);
    fCanvas->DeleteAllChilds();
    for (int32 i = int32(order.jobs.size()) - 1; i >= 0; i--) {
        ProzBalken* job = order.jobs[size_t(i)].get();
        if (job == nullptr) {
            printf("RescanOrder: bad pb %ld|%ld\n", long(i), long(order.jobs.size()));
            continue;
        }
        if (job->j_stat == kJStatDeleted) {
            _RemoveJob(order, i);
            continue;
        }
        if (job->Parent() != nullptr || job->Window() != nullptr)
            job->RemoveSelf();
        if (job->Frame() != job->j_pos) {
            job->MoveTo(job->j_pos.LeftTop());
            job->ResizeTo(job->j_pos.Width(), job->j_pos.Height());
        }
        fCanvas->AddChild(job);
    }
    fCanvas->Invalidate();
}

void OrderWindow::UpdateDataView(int32 index, int32 mode)
{
    PlanLock lock;
    STOrder* list = lock.Orders();
    Order* order = list != nullptr && list->GetOMax() >= 0 ? list->GetOrder(index) : nullptr;
    if (order == nullptr) {
        _ShowNothing();
        return;
    }
    o_ptr = std::clamp(index, 0, list->GetOMax());
    fOrderId = order->onr;
    // A refresh (mode 1) leaves the field being typed in alone.
    BView* focus = mode == 1 ? CurrentFocus() : nullptr;
    auto put = [&](BTextControl* field, const std::string& text) {
        if (field != focus && field->Parent() != nullptr && text != field->Text())
            field->SetText(text.c_str());
    };
    put(fName, order->oauft);
    put(fDrawing, order->oznr);
    put(fUnit, order->owkz);
    put(fDeadline, trimmed(order->odli));
    put(fPlanDate, trimmed(order->opdl));
    _MarkOverrun(*order);
    fNeed->SetValue(order->oneed != 0 ? B_CONTROL_ON : B_CONTROL_OFF);
    fStatus->Menu()->ItemAt(std::clamp(order->ostat, 0, 4))->SetMarked(true);
    fType->Menu()->ItemAt(std::clamp(order->otyp, 0, 2))->SetMarked(true);
    _SetSum(order->o_sum);
}

void OrderWindow::_MarkOverrun(const Order& order)
{
    const std::string mark = order.o_over != 0 ? "!" : "";
    fDeadline->SetLabel((label(o_labs, 3) + mark).c_str());
}

void OrderWindow::_ShowNothing()
{
    fCanvas->DeleteAllChilds();
    fOrderId = -1;
    fShown = kNotShown;
    fOrderShown = false;
    fJob = -1;
    pb_ptr = -1;
    o_ptr = 0;
    for (BTextControl* field :
         {static_cast<BTextControl*>(fName), static_cast<BTextControl*>(fDrawing),
          static_cast<BTextControl*>(fUnit), static_cast<BTextControl*>(fDeadline),
          static_cast<BTextControl*>(fPlanDate)})
        field->SetText("");
    fNeed->SetValue(B_CONTROL_OFF);
    fLinks->SetListPointer(-1);
    _SetSum(0);
    _HideJobInputs();
    _EnableControls(false);
}

void OrderWindow::_EnableControls(bool enabled)
{
    fName->SetEnabled(enabled);
    fDrawing->SetEnabled(enabled);
    fUnit->SetEnabled(enabled);
    fNeed->SetEnabled(enabled);
    fStatus->SetEnabled(enabled);
    fType->SetEnabled(enabled);
    fDeadline->SetEnabled(enabled);
    fPlanDate->SetEnabled(enabled);
    for (const char* name : {"oprn", "satp", "obwd", "ofwd"}) {
        if (auto* button = dynamic_cast<BButton*>(FindView(name)))
            button->SetEnabled(enabled);
    }
    if (fDelete != nullptr)
        fDelete->SetEnabled(enabled);
    for (uint32 what : {'NwOT', 'ODel', 'OsDD', 'OsPD'}) {
        if (BMenuItem* item = fMenuBar->SubmenuAt(0)->FindItem(what))
            item->SetEnabled(enabled);
    }
    // Without an order nothing may be drawn on the canvas either.
    if (enabled && fCanvas->IsHidden())
        fCanvas->Show();
    else if (!enabled && !fCanvas->IsHidden())
        fCanvas->Hide();
}

void OrderWindow::_Page(int32 step)
{
    ApplyPendingText();
    int32 index = o_ptr;
    {
        PlanLock lock;
        if (lock.Orders() != nullptr && fOrderId >= 0) {
            const int32 found = lock.Orders()->FindOrderNrOverNr(fOrderId);
            if (found != 999)
                index = found;
        }
    }
    ZeigeOrder(index + step, 1);
}

void OrderWindow::_ShowOrderWithID(BMessage* message)
{
    ApplyPendingText();
    int32 index = 999;
    {
        PlanLock lock;
        if (lock.Orders() != nullptr)
            index = lock.Orders()->FindOrderNrOverNr(message->GetInt32("order", -1));
    }
    if (index == 999)
        return;
    ZeigeOrder(index, 0);
}

// MARK: Fields

void OrderWindow::InputNames()
{
    PlanLock lock;
    Order* order = _Shown(lock);
    if (order == nullptr)
        return;
    bool renamed = false, changed = false;
    {
        BAutolock orderLock(order->o_lock);
        if (fName->Text() != order->oauft) {
            order->NewOAuft(fName->Text());
            order->SentToCal(true);
            renamed = changed = true;
        }
        if (fDrawing->Text() != order->oznr) {
            order->NewOZnr(fDrawing->Text());
            changed = true;
        }
        if (fUnit->Text() != order->owkz) {
            order->NewOWkz(fUnit->Text());
            changed = true;
        }
        const bool deadline = _ApplyDate(*order, fDeadline, true);
        const bool planDate = _ApplyDate(*order, fPlanDate, false);
        if (deadline || planDate) {
            _MarkOverrun(*order);
            lock.Orders()->sortmode = 0;
            changed = true;
        }
    }
    if (!changed)
        return;
    _MarkModified(lock.Orders());
    // What the record took (brackets and blanks made safe) is what shows.
    fName->SetText(order->oauft.c_str());
    fDrawing->SetText(order->oznr.c_str());
    fUnit->SetText(order->owkz.c_str());
    if (renamed)
        UpdateOrderPopUp();
}

bool OrderWindow::_ApplyDate(Order& order, BTextControl* field, bool deadline)
{
    std::string& record = deadline ? order.odli : order.opdl;
    const std::string typed = trimmed(field->Text());
    if (typed == trimmed(record))
        return false;
    const std::optional<std::string> day = day_text(typed);
    if (!day) {
        AnyAlert((kBadDateAlert + typed).c_str());
        field->SetText(trimmed(record).c_str());
        return false;
    }
    if (*day == trimmed(record)) {
        field->SetText(day->c_str());
        return false;
    }
    printf("%s <> %s\n", typed.c_str(), trimmed(record).c_str());
    if (deadline)
        order.NewODli(*day);
    else
        order.NewOPdl(*day);
    order.SentToCal(true);
    field->SetText(trimmed(record).c_str());
    return true;
}

void OrderWindow::InputRules(BMessage* message)
{
    PlanLock lock;
    Order* order = _Shown(lock);
    if (order == nullptr)
        return;
    const int32 value =
        message->what == 'OA_X' ? message->GetInt32("be:value", 0) : message->GetInt32("index", -1);
    int32* field = message->what == 'O_ST'   ? &order->ostat
                   : message->what == 'O_TY' ? &order->otyp
                                             : &order->oneed;
    const int32 limit = message->what == 'O_ST' ? 4 : message->what == 'O_TY' ? 2 : 1;
    if (value < 0 || value > limit || *field == value)
        return;
    {
        BAutolock orderLock(order->o_lock);
        *field = value;
        order->PruefeOrder(true);
        order->SentToCal(true);
    }
    _MarkModified(lock.Orders());
    fCanvas->VisOrderStat(order->ostat);
    fStatus->Menu()->ItemAt(std::clamp(order->ostat, 0, 4))->SetMarked(true);
    UpdateOrderPopUp();
}

void OrderWindow::_DateFieldInvoked(BMessage* message)
{
    if (!fOrderShown)
        return;
    BTextControl* field = message->what == 'OA_D' ? fDeadline : fPlanDate;
    bool typed = false;
    {
        PlanLock lock;
        Order* order = _Shown(lock);
        if (order == nullptr)
            return;
        const std::string& record = message->what == 'OA_D' ? order->odli : order->opdl;
        typed = trimmed(field->Text()) != trimmed(record);
    }
    // A typed day is taken as it is; Enter on an untouched field asks the
    // date picker.
    if (typed)
        return InputNames();
    GetCDay(field, message->what == 'OA_D' ? 'OTID' : 'OTIW');
}

void OrderWindow::GetCDay(BTextControl* field, uint32 code)
{
    const BPoint leftTop = field->ConvertToScreen(BPoint(-60, 16));
    const BRect frame(leftTop.x, leftTop.y, leftTop.x + 299, leftTop.y + 147 + 6);
    CalCard::getCalCard(frame, label(o_labs, 5).c_str(), trimmed(field->Text()).c_str(),
                        new BMessage(code), this);
}

void OrderWindow::_DateChosen(BMessage* message)
{
    const char* day = message->GetString("cday", nullptr);
    if (day == nullptr)
        return;
    (message->what == 'OTID' ? fDeadline : fPlanDate)->SetText(day);
    InputNames();
}

void OrderWindow::_Relabel()
{
    fDeadline->SetLabel(label(o_labs, 3).c_str());
    fPlanDate->SetLabel(label(o_labs, 4).c_str());
    fShown = kNotShown;
    UpdateDataView(o_ptr, 1);
}

void OrderWindow::ApplyPendingText()
{
    if (fOrderId < 0)
        return;
    InputNames();
    if (fJob < 0 || fHours->IsHidden())
        return;
    InfoInOut();
    bool typed = false;
    {
        PlanLock lock;
        Order* order = _Shown(lock);
        ProzBalken* job = order != nullptr ? _Job(*order) : nullptr;
        typed = job != nullptr && str2Tint(fHours->Text()) != job->j_time;
    }
    // Applying the hours closes the job's inputs; untouched they stay.
    if (typed)
        SetProzBalkStd();
}

// MARK: Jobs

ProzBalken* OrderWindow::_Job(Order& order)
{
    if (fJob < 0 || fJob >= int32(order.jobs.size()))
        return nullptr;
    return order.jobs[size_t(fJob)].get();
}

void OrderWindow::RescanOrder(int32, bool notify)
{
    StdInOut(0, nullptr);
    PlanLock lock;
    Order* order = _Shown(lock);
    if (order == nullptr) {
        fCanvas->DeleteAllChilds();
        return;
    }
    {
        BAutolock orderLock(order->o_lock);
        _FillCanvas(*order);
        order->PruefeOrder(false);
        if (notify)
            order->SentToCal(true);
    }
    _MarkModified(lock.Orders());
    fCanvas->VisOrderStat(order->ostat);
    StdInOut(0, nullptr);
}

void OrderWindow::AddProzBalken(BRect rect)
{
    if (!rect.IsValid())
        return;
    rect.right = std::max(rect.right, rect.left + kJobMinWidth);
    rect.bottom = std::max(rect.bottom, rect.top + kJobMinHeight);
    {
        PlanLock lock;
        Order* order = _Shown(lock);
        if (order == nullptr)
            return;
        Worker* first = lock.Workers() != nullptr ? lock.Workers()->GetWorker(0) : nullptr;
        if (first == nullptr) {
            AnyAlert(kNoWorkerAlert);
            return;
        }
        _AddJob(*order,
                std::make_unique<ProzBalken>(rect, first->w_id, kJStatOpen, kNewJobHours, 1, "-"));
    }
    RescanOrder(o_ptr, true);
}

void OrderWindow::_JobClicked(BMessage* message)
{
    PlanLock lock;
    Order* order = _Shown(lock);
    if (order == nullptr)
        return;
    // The bar names its order and its place there, never its address.
    const int32 orderId = message->GetInt32("u_order", message->GetInt32("order", fOrderId));
    if (orderId != fOrderId)
        return;
    const int32 index = message->GetInt32("pb_index", message->GetInt32("job", -1));
    if (index < 0 || index >= int32(order->jobs.size())) {
        printf("OSUM: job not in the shown order\n");
        return;
    }
    StdInOut(0, nullptr);
    fJob = index;
    pb_ptr = index;
    StdInOut(1, nullptr);
}

void OrderWindow::StdInOut(int32 mode, BMessage*)
{
    PlanLock lock;
    Order* order = _Shown(lock);
    if (mode == 0 || order == nullptr) {
        fJob = -1;
        pb_ptr = -1;
        _HideJobInputs();
        if (order == nullptr)
            return;
        BAutolock orderLock(order->o_lock);
        TInt sum = 0;
        for (const auto& job : order->jobs) {
            if (job != nullptr && job->j_stat != kJStatDeleted)
                sum = Add2TInt(sum, job->j_time);
        }
        order->o_sum = sum;
        _SetSum(sum);
        return;
    }
    ProzBalken* job = _Job(*order);
    if (job == nullptr)
        return;
    fHours->SetText(TInt2str(job->j_time).c_str());
    fInfo->SetText(job->j_info.c_str());
    if (fHours->IsHidden())
        fHours->Show();
    if (fInfo->IsHidden())
        fInfo->Show();
}

void OrderWindow::_HideJobInputs()
{
    if (!fHours->IsHidden())
        fHours->Hide();
    if (!fInfo->IsHidden())
        fInfo->Hide();
}

void OrderWindow::_SetSum(TInt sum)
{
    fSum = sum;
    fSumView->SetText((" " + label(o_labs, 7) + " " + TInt2str(sum)).c_str());
}

void OrderWindow::SetProzBalkStd()
{
    PlanLock lock;
    Order* order = _Shown(lock);
    ProzBalken* job = order != nullptr ? _Job(*order) : nullptr;
    if (job == nullptr) {
        printf("kann std nicht uebergen\n");
        return;
    }
    const TInt hours = str2Tint(fHours->Text());
    if (hours < 0) {
        AnyAlert(kNegativeHoursAlert);
        fHours->SetText(TInt2str(job->j_time).c_str());
        return;
    }
    bool changed = false;
    {
        BAutolock orderLock(order->o_lock);
        changed = hours != job->j_time;
        job->j_time = hours;
        job->SetTextInf(fInfo->Text());
        fHours->SetText(TInt2str(hours).c_str());
        fInfo->SetText(job->j_info.c_str());
        if (changed)
            order->PruefeOrder(true);
    }
    job->Invalidate();
    _MarkModified(lock.Orders());
    StdInOut(0, nullptr);
}

void OrderWindow::InfoInOut()
{
    PlanLock lock;
    Order* order = _Shown(lock);
    ProzBalken* job = order != nullptr ? _Job(*order) : nullptr;
    if (job == nullptr || fInfo->Text() == job->j_info)
        return;
    {
        BAutolock orderLock(order->o_lock);
        job->SetTextInf(fInfo->Text());
    }
    fInfo->SetText(job->j_info.c_str());
    job->Invalidate();
    _MarkModified(lock.Orders());
}

// MARK: Orders, templates, printing

void OrderWindow::DeleteOneOrder(int32)
{
    int32 index = 0, last = 0;
    {
        PlanLock lock;
        STOrder* list = lock.Orders();
        if (list == nullptr || fOrderId < 0)
            return;
        if (list->GetOMax() < 1) {
            AnyAlert("Don't delete LAST Order! ");
            return;
        }
        index = list->FindOrderNrOverNr(fOrderId);
        if (index == 999)
            return;
        last = list->GetOMax();
        fCanvas->DeleteAllChilds();
        fJob = -1;
        pb_ptr = -1;
    }
    // The list takes its own lock, sorts and tells the calendar.
    if (STOrder* list = STOrder::Existing()) {
        list->DeleteSingleOrder(index);
        _MarkModified(list);
    }
    fShown = kNotShown;
    fOrderId = -1;
    ZeigeOrder(last, 0);
}

void OrderWindow::SaveTemplate(BMessage* message, int32)
{
    std::string name;
    if (message->FindString("fname:", &name) != B_OK)
        return;
    if (std::optional<std::string> refusal = TypedNameRefusal(name)) {
        AnyAlert(refusal->c_str());
        return;
    }
    ApplyPendingText();
    const std::string path = BuildPath(path2app, kTemplatesFolder, name.c_str(), ".otp");
    printf("[[%s]][%s]\n", name.c_str(), path.c_str());
    {
        PlanLock lock;
        Order* order = _Shown(lock);
        if (order == nullptr)
            return;
        BAutolock orderLock(order->o_lock);
        if (order->SaveAsTempl(path.c_str()) != 0)
            return;
    }
    // The order posted 'O+TE' for the other windows' template menus.
    GScan4Templates(fTemplateMenu, ".otp", 'O+TF');
}

void OrderWindow::UpdateOrderPopUp()
{
    // Built when it is opened: a project may hold thousands of orders.
    fOrderMenu.reset();
}

void OrderWindow::SelectAnyOrder()
{
    if (fOrderMenu == nullptr) {
        fOrderMenu = std::make_unique<BPopUpMenu>("sao", false, false);
        if (STOrder* list = STOrder::Existing())
            list->SortedMOrderList(fOrderMenu.get());
    }
    const std::string current = "  " + std::string(fName->Text());
    for (int32 i = 0; i < fOrderMenu->CountItems(); i++) {
        BMenuItem* item = fOrderMenu->ItemAt(i);
        item->SetMarked(current == item->Label());
    }
    BPoint where;
    uint32 buttons = 0;
    fBack->GetMouse(&where, &buttons, false);
    BMenuItem* chosen = fOrderMenu->Go(fBack->ConvertToScreen(where), false);
    if (chosen != nullptr && chosen->Message() != nullptr)
        PostMessage(chosen->Message());
}

void OrderWindow::ExtendMenu()
{
    if (kbo_ord != 0 || fDelete != nullptr)
        return;
    const float bottom = fBack->Bounds().bottom;
    const float fontSize = be_plain_font->Size();
    const float top = bottom - (2 * fontSize + 3);
    fDelete = new BButton(BRect(4, top, 80, top + kButtonHeight), "odel", "Delete", command('ODel'),
                          B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
    fDelete->SetEnabled(fOrderId >= 0);
    fBack->AddChild(fDelete);
    kbo_ord = 1;
}

void OrderWindow::_Print()
{
    ApplyPendingText();
    ViewPrint(fBack);
}

// MARK: Data helpers

void OrderWindow::_AddJob(Order& order, std::unique_ptr<ProzBalken> job)
{
    order.AddJob(std::move(job));
}

std::unique_ptr<ProzBalken> OrderWindow::_RemoveJob(Order& order, int32 index)
{
    return order.RemoveJob(index);
}

void OrderWindow::_MarkModified(STOrder* orders)
{
    if (orders != nullptr)
        orders->SetModified();
}
