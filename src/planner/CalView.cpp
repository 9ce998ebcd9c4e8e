#include "planner/CalView.h"

#include <cmath>
#include <cstdio>

#include "app/AppPost.h"
#include "app/FunctionKeys.h"
#include "app/Globals.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "data/Order.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "exchange/XmlImport.h"
#include "kit/app/AppDefs.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"
#include "planner/CalBack.h"
#include "planner/CalMapping.h"
#include "planner/PlanLock.h"
#include "planner/WBalken.h"

namespace {

constexpr rgb_color kYearRed = {250, 50, 50, 255};

// The zoom pop-up: label entry and months, from the longest view down.
constexpr std::pair<int32, int32> kZoomItems[] = {{6, 24}, {5, 12}, {4, 6}, {3, 3}, {2, 2}, {1, 1}};

} // namespace

CalView::CalView(BRect frame, const char* name, const char*, int32, int32)
    : BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS),
      fName(name != nullptr ? name : ""), fMode(DaStMode.load()),
      fMonths(IsZoomValue(PrevTime.load()) ? PrevTime.load() : kDefaultZoom)
{
    SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
    SetLowColor(ViewColor());
    fBack = new CalBack(BRect(0, kHeaderHeight, frame.Width(), frame.Height()), "topli");
    fLastWidth = frame.Width();
    AddChild(fBack);
}

// MARK: Scale

bool CalView::SetMonthsShown(int32 months)
{
    if (!IsZoomValue(months)) {
        printf("CalView: %ld months is no zoom\n", long(months));
        return false;
    }
    fMonths = months;
    return true;
}

int32 CalView::DaysShown() const
{
    return ::DaysShown(FirstShownDay(), fMonths);
}

float CalView::MonthWidth() const
{
    return (Bounds().Width() - kNameColumn) / float(fMonths);
}

int32 CalView::CountBars() const
{
    return fBack->CountChildren();
}

WBalken* CalView::BarAt(int32 index) const
{
    return dynamic_cast<WBalken*>(fBack->ChildAt(index));
}

// MARK: Drawing

void CalView::Draw(BRect)
{
    BStateGuard guard(this);
    const BRect bounds = Bounds();
    SetHighColor(ViewColor());
    FillRect(bounds);
    SetHighColor(AskColor(uc_TXT));
    SetFontSize(12);
    const ks_calday today = CDayOfText("");
    DrawString(CDay2str(&today).c_str(), BPoint(5, 13));
    SetFontSize(9);
    StrokeLine(BPoint(0, 16), BPoint(bounds.right, 16));

    const ks_calday first = FirstShownDay();
    const int32 days = ::DaysShown(first, fMonths);
    const float pixelsPerDay = ::PixelsPerDay(bounds.Width(), kNameColumn, days);
    if (pixelsPerDay > 0) {
        _DrawMonths(first, days, pixelsPerDay);
        if (fMonths >= 2 && fMonths <= 6)
            _DrawWeeks(first, days, pixelsPerDay);
        if (fMonths == 1 && fMode != DSM_ROW)
            _DrawDays(days, pixelsPerDay);
    }
    SetHighColor(AskColor(uc_TXT));
    StrokeLine(BPoint(kNameColumn, 0), BPoint(kNameColumn, bounds.bottom));
    fPixelsPerDay = pixelsPerDay;
}

void CalView::_DrawMonths(const ks_calday& first, int32, float pixelsPerDay)
{
    const float bottom = Bounds().bottom;
    const float monthWidth = MonthWidth();
    float x = kNameColumn;
    for (int32 k = 0; k < fMonths; k++) {
        const int32 month = first.month - 1 + k;
        SetHighColor(AskColor(uc_TXT));
        DrawString(MonthLabel(month, fMonths, monthWidth).c_str(), BPoint(x + 5, 7));
        if (k > 0 && month % 12 == 0) {
            // The year starts here.
            SetDrawingMode(B_OP_BLEND);
            SetHighColor(kYearRed);
            FillTriangle(BPoint(x + 1, 0), BPoint(x + 1, 15), BPoint(x + 7, 15));
            SetDrawingMode(B_OP_COPY);
            SetHighColor(AskColor(uc_TXT));
        }
        x += pixelsPerDay * float(TagePerMonat(month, first.year));
        StrokeLine(BPoint(x, 0), BPoint(x, bottom));
    }
}

void CalView::_DrawWeeks(const ks_calday& first, int32 days, float pixelsPerDay)
{
    const float bottom = Bounds().bottom;
    const rgb_color dark = tint_color(AskColor(uc_OPE), B_DARKEN_3_TINT);
    const int32 weekday = CDayIsWDay(&first);
    for (int32 n = 0; n <= days; n++) {
        if ((weekday + n) % 7 != 0)
            continue;
        const float x = DayLeft(n, pixelsPerDay);
        char text[16];
        snprintf(text, sizeof text, "%2d", int(IsoWeek(DayAfter(first, n))));
        SetHighColor(AskColor(uc_TXT));
        DrawString(text, BPoint(x + 3, 15));
        SetHighColor(dark);
        StrokeLine(BPoint(x, 9), BPoint(x, bottom));
    }
}

void CalView::_DrawDays(int32 days, float pixelsPerDay)
{
    const float bottom = Bounds().bottom;
    const rgb_color dark = tint_color(AskColor(uc_OPE), B_DARKEN_3_TINT);
    for (int32 n = 0; n < days; n++) {
        const float x = DayLeft(n, pixelsPerDay);
        char text[16];
        snprintf(text, sizeof text, "%2d", int(n + 1));
        SetHighColor(AskColor(uc_TXT));
        DrawString(text, BPoint(x + 3, 15));
        SetHighColor(dark);
        StrokeLine(BPoint(x, 9), BPoint(x, bottom));
    }
}

void CalView::FrameResized(float width, float)
{
    Invalidate();
    // A new width places every knob anew; a new height only shows more rows.
    if (width == fLastWidth)
        return;
    fLastWidth = width;
    DrawChilds();
}

// MARK: Rows

void CalView::AddWorkerBars()
{
    if (fMode == DSM_ORBA || DaStMode.load() == DSM_ORBA) {
        printf("CalView::AddWorkerBars SWITCH TO OrdersInBars() \n");
        return OrdersInBars();
    }
    RemoveWorkerBars();
    {
        PlanLock lock;
        STWorker* workers = lock.Workers();
        if (workers == nullptr || workers->GetWMax() < 0) {
            printf("NO WORKERS EXIST\n");
            return;
        }
        const float width = fBack->Bounds().Width();
        int32 row = 0;
        for (int32 i = 0; i <= workers->GetWMax(); i++) {
            Worker* worker = workers->GetWorker(i);
            if (worker == nullptr) {
                printf(" Bad Worker \n");
                continue;
            }
            fBack->AddChild(new WBalken(BarFrame(row++, width), "wbAx", WB_WORKER, worker->w_id));
        }
    }
    DrawChilds();
    PostToApp('FixS');
}

void CalView::OrdersInBars()
{
    if (fMode != DSM_ORBA && DaStMode.load() != DSM_ORBA) {
        printf("CalView::OrdersInBars() SWITCH TO AddWorkerBars \n");
        return AddWorkerBars();
    }
    RemoveWorkerBars();
    {
        PlanLock lock;
        if (STOrder* orders = lock.Orders()) {
            const float width = fBack->Bounds().Width();
            int32 row = 0;
            for (int32 i = 0; i <= orders->GetOMax(); i++) {
                if (Order* order = orders->GetOrder(i))
                    fBack->AddChild(
                        new WBalken(BarFrame(row++, width), "wbAx", WB_ORDER, order->onr));
            }
        }
    }
    DrawChilds();
    PostToApp('FiyS');
}

void CalView::RemoveWorkerBars()
{
    while (fBack->CountChildren() > 0) {
        BView* bar = fBack->ChildAt(fBack->CountChildren() - 1);
        if (bar == nullptr) {
            printf("WBalken bad\n");
            break;
        }
        delete bar;
    }
    fBack->Invalidate();
}

void CalView::DrawChilds()
{
    PlanLock lock;
    const WorkerJobs jobs = WBalken::JobsByWorker(lock);
    for (int32 i = 0; i < CountBars(); i++) {
        if (WBalken* bar = BarAt(i))
            bar->Rebuild(lock, &jobs);
    }
}

void CalView::ReorgAllChildren()
{
    PlanLock lock;
    const WorkerJobs jobs = WBalken::JobsByWorker(lock);
    for (int32 i = 0; i < CountBars(); i++) {
        WBalken* bar = BarAt(i);
        if (bar == nullptr) {
            printf("n.v. wbalken ReorgAllChildren! [%ld]\n", long(i));
            continue;
        }
        bar->Rebuild(lock, &jobs);
    }
}

void CalView::_Rebuild(WBalken* bar, BMessage* message)
{
    bar->ManageUpdMsg(message);
    if (message != nullptr && message->GetBool("pack", false))
        bar->SortKnoepfeInBeginFolge();
}

void CalView::ReorgThisChildren(BMessage* message)
{
    if (message == nullptr)
        return;
    const int32 worker = message->GetInt32("xworker", 0);
    const int32 order = message->GetInt32("u_order", -1);
    if (fMode == DSM_ORBA) {
        for (int32 i = 0; i < CountBars(); i++) {
            WBalken* bar = BarAt(i);
            if (bar != nullptr && bar->Kind() == WB_ORDER && bar->KeyID() == order)
                _Rebuild(bar, message);
        }
        return;
    }
    if (worker < 0 || worker >= CountBars())
        return;
    WBalken* bar = BarAt(worker);
    if (bar == nullptr) {
        printf("n.v. wbalken ReorgThisChildren! [%ld]\n", long(worker));
        return;
    }
    _Rebuild(bar, message);
}

void CalView::OnlyKnopfRedraw()
{
    PlanLock lock;
    const auto& orders = lock.OrdersByID();
    for (int32 i = 0; i < CountBars(); i++) {
        WBalken* bar = BarAt(i);
        if (bar == nullptr)
            continue;
        for (Oknopf* knob : bar->Knobs()) {
            auto found = orders.find(knob->KnopfData().orderId);
            knob->Refresh(found != orders.end() ? found->second : nullptr);
        }
    }
}

void CalView::MarkOrder(int32 number)
{
    printf("CalView::MarkOrder : %ld\n", long(number));
}

void CalView::MovingOrder(BMessage* message)
{
    BRect oldPos, newPos;
    const int32 id = message->GetInt32("Order", -1);
    if (message->FindRect("OldPos", &oldPos) != B_OK ||
        message->FindRect("NewPos", &newPos) != B_OK) {
        printf("move: no frames\n");
        return;
    }
    const int32 shown = DaysShown();
    const float pixels = ::PixelsPerDay(Bounds().Width(), kNameColumn, shown);
    if (!(pixels > 0) || !std::isfinite(pixels)) {
        printf("move: no scale\n");
        return;
    }
    const double shift = std::ceil(double(newPos.right - oldPos.right) / pixels);
    if (!std::isfinite(shift)) {
        printf("move: no scale\n");
        return;
    }
    // A drag never leaves the days shown.
    const int32 n = int32(std::clamp(shift, double(-shown), double(shown)));
    PlanLock lock;
    Order* order = lock.OrderWithID(id);
    if (order == nullptr) {
        printf("move: bad xord \n");
        return;
    }
    const ks_calday plan = DayAfter(CDayOfText(order->opdl), n);
    order->NewOPdl(CDay2str(&plan));
    order->PruefeOrder(true);
    order->SentToCal(true);
}

// MARK: Input

void CalView::MouseDown(BPoint where)
{
    auto* menu = new BPopUpMenu("hoiz", false, false);
    for (const auto& [label, months] : kZoomItems) {
        auto* message = new BMessage('CVPR');
        message->AddInt32("H:value", months);
        auto* item = new BMenuItem(STLabel::getLabel(c_over, label).c_str(), message);
        item->SetMarked(months == fMonths);
        menu->AddItem(item);
    }
    menu->SetTargetForItems(this);
    menu->SetAsyncAutoDestruct(true);
    menu->Go(ConvertToScreen(where), true, false, true);
    uint32 buttons = 0;
    if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
        buttons = uint32(Window()->CurrentMessage()->GetInt32("buttons", 0));
    if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0)
        fBack->Invalidate();
}

void CalView::KeyDown(const char*, int32)
{
    if (Window() != nullptr)
        KeyByOpen(0, Window()->CurrentMessage(), 0);
}

bool CalView::_ProjectOpen() const
{
    return DEFS_ORD_IO.Get().size() >= 2;
}

void CalView::_Zoom(BMessage* message)
{
    const int32 months = message->GetInt32("H:value", fMonths);
    if (months == fMonths || !SetMonthsShown(months))
        return;
    Invalidate();
    fBack->Invalidate();
    // The knobs are placed with the new scale at once.
    fPixelsPerDay = ::PixelsPerDay(Bounds().Width(), kNameColumn, DaysShown());
    DrawChilds();
    PrevTime = months;
}

void CalView::MessageReceived(BMessage* message)
{
    if (message->what == 'CVPR')
        return _Zoom(message);
    if (!_ProjectOpen())
        return;
    switch (message->what) {
    case 'WBKN':
        return OnlyKnopfRedraw();
    case 'CVMO':
        return MarkOrder(message->GetInt32("vord", 0));
    case B_SIMPLE_DATA:
        return XML_Splice(message, 0);
    case 'MOVX':
        return MovingOrder(message);
    case 'WBRO':
        return ReorgThisChildren(message);
    case 'WBRA':
        return ReorgAllChildren();
    case B_MOUSE_DOWN:
        return MouseDown(BPoint(0, 0));
    case B_MOUSE_WHEEL_CHANGED:
        PostToApp(*message);
        return;
    default:
        printf("CalView?? '%s'\n", long2asc(message->what).c_str());
    }
}
