#include "planner/Oknopf.h"

#include <cstdio>

#include "app/AppPost.h"
#include "app/Bevels.h"
#include "app/FunctionKeys.h"
#include "app/Notices.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "kit/app/AppDefs.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"
#include "planner/MoverView.h"
#include "planner/PlanLock.h"

int32 Oknopf::okn_count = 0;
Oknopf* Oknopf::ex_okn = nullptr;

namespace {

constexpr int32 kNoOrderMarked = 999999;
constexpr rgb_color kOverrunRed = {240, 70, 70, 255};

} // namespace

Oknopf::Oknopf(BRect frame, const std::string& label, const Data& data)
    : BView(frame, "okn", B_FOLLOW_NONE, B_WILL_DRAW), fLabel(label), fData(data)
{
    SetFontSize(10);
    SetViewColor(AskColor(uc_PBo));
    AddToolTip(this, "RightMouseButton - and you can move me");
    fNumber = ++okn_count;
    ex_okn = nullptr;
    AddMover();
}

Oknopf::~Oknopf()
{
    if (ex_okn == this)
        ex_okn = nullptr;
    okn_count--;
    RemoveSelf();
}

Oknopf::Data Oknopf::DataOf(const Order& order, int32 jobIndex)
{
    Data data;
    data.orderId = order.onr;
    data.jobIndex = jobIndex;
    data.orderStatus = order.ostat;
    data.statusColor = const_cast<Order&>(order).StatusColor();
    data.marked = order.marked != 0;
    data.overrun = order.o_over != 0;
    data.lastJob = jobIndex == int32(order.jobs.size()) - 1;
    if (jobIndex >= 0 && size_t(jobIndex) < order.jobs.size() && order.jobs[jobIndex]) {
        const ProzBalken& job = *order.jobs[jobIndex];
        data.workerId = job.j_id;
        data.jobStatus = job.j_stat;
        data.highlighted = job.highlighted != 0;
        data.info = job.j_info;
    }
    return data;
}

void Oknopf::Refresh(Order* order)
{
    if (order == nullptr) {
        printf("Oknopf: order %ld gone\n", long(fData.orderId));
        return;
    }
    const int32 worker = fData.workerId;
    fData = DataOf(*order, fData.jobIndex);
    if (fData.workerId < 0)
        fData.workerId = worker;
    AddMover();
    Invalidate();
}

int32 Oknopf::_DisplayMode() const
{
    return DaStMode.load();
}

rgb_color Oknopf::FillColor(int32 displayMode) const
{
    rgb_color color = AskColor(uc_PBo);
    if (displayMode == 0) {
        color = fData.statusColor;
        if (fData.orderStatus == kOStatActive || fData.orderStatus == kOStatProgress)
            color = AskColor(fData.jobStatus == kJStatReady ? uc_PBc : uc_PBo);
    }
    if (displayMode == 3 && fData.jobStatus == kJStatReady)
        color = AskColor(uc_PBc);
    if (fData.highlighted)
        color = AskColor(uc_KNA);
    if (fData.marked)
        color = AskColor(uc_KNM);
    return color;
}

std::string Oknopf::Text() const
{
    if ((prefsdata.load() & VTa_SHOWPROZINFO) != 0 && fData.info != "-")
        return fData.info;
    return fLabel;
}

void Oknopf::AddMover()
{
    const bool wanted = fData.marked && fData.lastJob && _DisplayMode() != 0;
    if (wanted && fHandle == nullptr) {
        fHandle = new MoverView(BRect(0, 0, 8, 8), "mvx", fData.orderId);
        AddChild(fHandle);
    } else if (!wanted && fHandle != nullptr) {
        delete fHandle;
        fHandle = nullptr;
    }
}

void Oknopf::Draw(BRect)
{
    BView* bar = Parent();
    if (bar == nullptr)
        return;
    const BRect frame = Frame();
    const float barRight = bar->Bounds().right;
    if (frame.left > barRight)
        return;
    BStateGuard guard(this);
    BRect fill = Bounds();
    if (frame.right > barRight)
        fill.right = barRight - frame.left;
    fLastColor = FillColor(_DisplayMode());
    SetLowColor(fLastColor);
    SetHighColor(fLastColor);
    FillRect(fill);
    if (fill.Width() >= 0.5f)
        BorderMe(this, nullptr, nullptr, B_OP_COPY);
    if (fData.overrun)
        _DrawOverrun(fill.right, fill.bottom);
    if (fSelected) {
        SetHighColor(AskColor(uc_KNM));
        FillRect(BRect(fill.right - 4, 1, fill.right - 1, 4));
    }
    if (fill.Width() + 1 < 15)
        return;
    if (fData.marked) {
        SetHighColor(240, 240, 240);
        SetLowColor(100, 100, 240);
    } else {
        SetHighColor(10, 10, 10);
    }
    SetDrawingMode(B_OP_OVER);
    DrawString(Text().c_str(), BPoint(fHandle != nullptr ? 11 : 4, 10));
}

void Oknopf::_DrawOverrun(float r, float b)
{
    SetHighColor(kOverrunRed);
    StrokeTriangle(BPoint(r - 6, b), BPoint(r, b - 6), BPoint(r, b));
    FillRect(BRect(r - 4, b - 4, r, b));
    StrokeLine(BPoint(r - 7, b), BPoint(r, b - 7));
}

void Oknopf::MouseDown(BPoint)
{
    MouseClick();
}

void Oknopf::MouseClick()
{
    if (ex_okn != nullptr && ex_okn != this) {
        ex_okn->fSelected = false;
        ex_okn->Invalidate();
    }
    ex_okn = this;
    fSelected = true;
    Invalidate();

    int32 workerPosition = 999;
    int32 orderPosition = 999;
    {
        PlanLock lock;
        if (lock.Workers() != nullptr)
            workerPosition = lock.Workers()->FindWorkerNrOverID(fData.workerId);
        if (lock.Orders() != nullptr)
            orderPosition = lock.Orders()->FindOrderNrOverNr(fData.orderId);
    }
    BMessage order('OUIx');
    order.AddInt32("order", fData.orderId);
    PostToApp(order);
    BMessage worker('WUIx');
    worker.AddInt32("worker", workerPosition);
    PostToApp(worker);

    MakeFocus();
    uint32 buttons = 0;
    if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
        buttons = uint32(Window()->CurrentMessage()->GetInt32("buttons", 0));
    if ((buttons & B_PRIMARY_MOUSE_BUTTON) != 0) {
        BMessage mark('OMRK');
        mark.AddInt32("order", kNoOrderMarked);
        PostToApp(mark);
    }
    if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
        BMessage mark('OMRK');
        mark.AddInt32("order", orderPosition);
        PostToApp(mark);
    }
}

void Oknopf::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case B_MOUSE_MOVED:
        return MakeFocus();
    case B_MOUSE_DOWN:
        return MouseClick();
    case B_MOUSE_WHEEL_CHANGED:
        PostToApp(*message);
        return;
    default:
        printf("Oknopf?? '%s'\n", long2asc(message->what).c_str());
    }
}

void Oknopf::KeyDown(const char*, int32)
{
    if (Window() != nullptr)
        KeyByOpen(0, Window()->CurrentMessage(), 0);
}
