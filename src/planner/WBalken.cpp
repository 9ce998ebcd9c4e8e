#include "planner/WBalken.h"

#include <cmath>
#include <cstdio>

#include "app/AppPost.h"
#include "app/Bevels.h"
#include "app/FunctionKeys.h"
#include "app/Notices.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "exchange/XmlImport.h"
#include "kit/app/AppDefs.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"
#include "planner/CalMapping.h"
#include "planner/CalView.h"
#include "planner/PlanLock.h"

namespace {

constexpr rgb_color kBarColor = {227, 227, 227, 255};
constexpr rgb_color kTroubleRed = {250, 63, 63, 255};

// The first count characters of a UTF-8 text.
std::string Cut(const std::string& text, size_t count)
{
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); end++) {
        if ((uint8_t(text[end]) & 0xC0) != 0x80 && seen++ == count)
            break;
    }
    return text.substr(0, end);
}

float HoursPerMonth(const Worker& worker)
{
    return float(worker.w_std / 25);
}

} // namespace

WBalken::WBalken(BRect frame, const char* name, int32 kind, int32 id)
    : BView(frame, name, B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_WILL_DRAW | B_FRAME_EVENTS),
      fKind(kind), fKeyId(id)
{
    SetViewColor(kBarColor);
    SetFont(be_bold_font);
    fLighter = tint_color(kBarColor, B_LIGHTEN_2_TINT);
    fDarker = tint_color(kBarColor, 1.555f);
    if (kind > WB_WORKER)
        printf("nix zeigen\n");
    PlanLock lock;
    if (lock.Workers() == nullptr)
        printf("no STWorker\n");
    if (lock.Orders() == nullptr)
        printf("no STOrder\n");
    _RefreshRecord(lock);
    if (fKind == WB_WORKER && fLost)
        printf("Wbalken bwork BAD\n");
    if (fKind == WB_ORDER && fLost)
        printf("Wbalken bord BAD\n");
}

WBalken::~WBalken()
{
    for (Oknopf* knob : Knobs())
        delete knob;
}

void WBalken::_RefreshRecord(PlanLock& lock)
{
    fLost = true;
    if (fKind == WB_WORKER) {
        if (Worker* worker = lock.WorkerWithID(fKeyId)) {
            fLost = false;
            fName = worker->w_name;
            fMultiuse = worker->multiuse > 0;
            fHoursPerMonth = HoursPerMonth(*worker);
        }
    } else if (fKind == WB_ORDER) {
        if (Order* order = lock.OrderWithID(fKeyId)) {
            fLost = false;
            fName = order->oauft;
            fOrderSum = order->o_sum;
            fHoursPerMonth = 40;
            const rgb_color status = order->StatusColor();
            if (ViewColor() != status) {
                SetViewColor(status);
                Invalidate();
            }
            SetHighColor(status);
        }
    }
}

CalView* WBalken::_Cal() const
{
    BView* back = Parent();
    return back != nullptr ? dynamic_cast<CalView*>(back->Parent()) : nullptr;
}

std::vector<Oknopf*> WBalken::Knobs() const
{
    std::vector<Oknopf*> knobs;
    for (int32 i = 0; i < CountChildren(); i++) {
        if (auto* knob = dynamic_cast<Oknopf*>(ChildAt(i)))
            knobs.push_back(knob);
    }
    return knobs;
}

// MARK: Drawing

void WBalken::Draw(BRect)
{
    BStateGuard guard(this);
    fAxisStart = kNameColumn;
    CalView* cal = _Cal();
    const int32 days = cal != nullptr ? cal->DaysShown() : 0;
    if (cal == nullptr)
        printf("Wbalken has no CalView-Pointer 300802-1\n");
    const BRect bounds = Bounds();
    const float h = bounds.Height();
    const int32 mode = DaStMode.load();

    std::string name = fLost ? std::string("lost data...") : fName;
    SetFontSize(11);
    BFont font;
    GetFont(&font);
    font.TruncateString(&name, B_TRUNCATE_END, kNameColumn - 46);
    SetHighColor(AskColor(uc_TXT));
    SetDrawingMode(B_OP_OVER);
    DrawString(name.c_str(), BPoint(5, 0.8f * h));
    SetDrawingMode(B_OP_COPY);

    const bool swap = mode != DSM_ORBA && fMultiuse;
    BorderMX(this, swap ? &fDarker : &fLighter, swap ? &fLighter : &fDarker, B_OP_COPY);

    SetFontSize(8);
    SetHighColor(AskColor(uc_TXT));
    SetDrawingMode(B_OP_OVER);
    const TInt figure = mode == DSM_ORBA ? fOrderSum : fHoursShown;
    DrawString(TInt2str(figure).c_str(), BPoint(bounds.right - 30, 0.8f * h));
    SetDrawingMode(B_OP_COPY);
    StrokeLine(BPoint(kNameColumn, 0), BPoint(kNameColumn, bounds.bottom));

    if (fKind == WB_WORKER && mode != DSM_ROW && days > 0) {
        SetDrawingMode(B_OP_OVER);
        if (STHolidays* holidays = STHolidays::Existing())
            holidays->DrawHolidaysInView(this, kNameColumn, days, 1.0f);
        PlanLock lock;
        if (Worker* worker = lock.WorkerWithID(fKeyId))
            worker->DrawUdaysInView(this, kNameColumn, days, 1.0f);
        SetDrawingMode(B_OP_COPY);
    }
    DrawTrouble();
}

void WBalken::DrawTrouble()
{
    BStateGuard guard(this);
    const float s = fAxisStart;
    const float bottom = Bounds().bottom;
    SetHighColor(ViewColor());
    FillRect(BRect(s - 20, 2, s - 3, bottom - 2));
    if (fTrouble != 0) {
        SetDrawingMode(B_OP_BLEND);
        SetHighColor(kTroubleRed);
        FillRoundRect(BRect(s - 18, 3, s - 5, bottom - 4), 2.2f, 2.2f);
        SetDrawingMode(B_OP_COPY);
    }
    DrawOutRange();
}

void WBalken::DrawOutRange()
{
    BStateGuard guard(this);
    SetHighColor(20, 20, 20);
    const float x = fAxisStart - 18;
    const float y = 4;
    if (fLeftOut) {
        StrokeLine(BPoint(x + 5, y), BPoint(x + 5, y + 6));
        StrokeLine(BPoint(x + 4, y + 1), BPoint(x + 4, y + 5));
        StrokeLine(BPoint(x + 3, y + 2), BPoint(x + 3, y + 4));
        StrokeLine(BPoint(x + 2, y + 3), BPoint(x + 4, y + 3));
    }
    if (fRightOut) {
        const float r = fAxisStart - 5;
        StrokeLine(BPoint(r - 5, y), BPoint(r - 5, y + 6));
        StrokeLine(BPoint(r - 4, y + 1), BPoint(r - 4, y + 5));
        StrokeLine(BPoint(r - 3, y + 2), BPoint(r - 3, y + 4));
        StrokeLine(BPoint(r - 4, y + 3), BPoint(r - 2, y + 3));
    }
}

// MARK: Placement

WorkerJobs WBalken::JobsByWorker(PlanLock& lock)
{
    WorkerJobs jobs;
    STOrder* orders = lock.Orders();
    if (orders == nullptr)
        return jobs;
    for (int32 i = 0; i <= orders->GetOMax(); i++) {
        Order* order = orders->GetOrder(i);
        if (order == nullptr)
            continue;
        for (size_t j = 0; j < order->jobs.size(); j++) {
            if (order->jobs[j] != nullptr)
                jobs[order->jobs[j]->j_id].emplace_back(i, int32(j));
        }
    }
    return jobs;
}

std::vector<std::pair<int32, int32>> WBalken::JobsOf(PlanLock& lock, int32 workerId)
{
    std::vector<std::pair<int32, int32>> jobs;
    STOrder* orders = lock.Orders();
    if (orders == nullptr)
        return jobs;
    for (int32 i = 0; i <= orders->GetOMax(); i++) {
        Order* order = orders->GetOrder(i);
        if (order == nullptr)
            continue;
        for (size_t j = 0; j < order->jobs.size(); j++) {
            if (order->jobs[j] != nullptr && order->jobs[j]->j_id == workerId)
                jobs.emplace_back(i, int32(j));
        }
    }
    return jobs;
}

void WBalken::ManageUpdMsg(BMessage*)
{
    PlanLock lock;
    Rebuild(lock, nullptr);
}

void WBalken::Rebuild(PlanLock& lock, const WorkerJobs* jobs)
{
    _RefreshRecord(lock);
    Invalidate();
    switch (DaStMode.load()) {
    case DSM_ROW:
        return ScanOrdersInLast(lock, jobs);
    case DSM_WORKER:
        return ScanOrdersInLate(lock, jobs);
    case DSM_EARLIEST:
        return ScanOrdersEarliest(lock);
    case DSM_ORBA:
        return AddOrderSubProzesses(lock);
    }
}

bool WBalken::_Scale()
{
    CalView* cal = _Cal();
    if (cal == nullptr)
        return false;
    const ks_calday first = FirstShownDay();
    fFirstSerial = CDaySerial(&first);
    fDaysShown = cal->DaysShown();
    fMonthWidth = cal->MonthWidth();
    fAxisStart = kNameColumn + 1;
    const BRect bounds = Bounds();
    fPixelsPerDay = PixelsPerDay(bounds.Width(), fAxisStart, fDaysShown);
    fRightBound = bounds.right - 1;
    return fPixelsPerDay > 0;
}

void WBalken::_BeginPlacement()
{
    fLeftOut = false;
    fRightOut = false;
    fTrouble = 0;
    RemoveAllKnoepfe(true);
    fHoursShown = 0;
}

BRect WBalken::_TimeFrame(Worker& worker, const ProzBalken& job)
{
    const float P = fPixelsPerDay;
    const float T = fAxisStart;
    const ks_calday& e = job.j_end;
    const ks_calday& b = job.j_beg;
    const int32 he = worker.GetTagesStdCD(&e) / 100;
    float p = he != 0 ? P / float(he) : 0;
    const int32 te = e.hours / 100;
    float right = T + P * float(CDaySerial(&e) - fFirstSerial + 1) - 1;
    if (float(te) >= 0.05f)
        right -= P - float(te) * p;
    const int32 hb = worker.GetTagesStdCD(&b) / 100;
    p = hb == 0 ? p - 1 : P / float(hb);
    const int32 tb = b.hours / 100;
    float left = T + P * float(CDaySerial(&b) - fFirstSerial + 1);
    if (tb > 0)
        left -= P - float(tb) * p;
    if (left < T) {
        left = T - 2;
        fLeftOut = true;
    }
    if (right < T) {
        right = T + 15;
        fLeftOut = true;
    }
    return SaneRect(BRect(left, VInSet, right, Bounds().bottom - 1));
}

void WBalken::ScanOrdersInLate(PlanLock& lock, const WorkerJobs* jobs)
{
    if (DaStMode.load() != DSM_WORKER) {
        printf(" Bad DaStMode \n");
        return;
    }
    if (fKind != WB_WORKER) {
        printf(" Bad wb_modus \n");
        return;
    }
    _BeginPlacement();
    Worker* worker = lock.WorkerWithID(fKeyId);
    STOrder* orders = lock.Orders();
    if (worker == nullptr || orders == nullptr || !_Scale()) {
        DrawTrouble();
        return;
    }
    fHoursPerMonth = HoursPerMonth(*worker);
    // One bar alone collects only its own worker's jobs.
    WorkerJobs own;
    if (jobs == nullptr) {
        own[fKeyId] = JobsOf(lock, fKeyId);
        jobs = &own;
    }
    std::vector<KnobPlan> plans;
    auto found = jobs->find(fKeyId);
    if (found != jobs->end()) {
        for (const auto& [orderIndex, jobIndex] : found->second) {
            Order* order = orders->GetOrder(orderIndex);
            if (order == nullptr || !order->Schedulable())
                continue;
            ProzBalken* job = order->jobs[jobIndex].get();
            if (job->j_stat != kJStatOpen)
                continue;
            job->highlighted = 0;
            BRect frame = _TimeFrame(*worker, *job);
            fHoursShown = Add2TInt(fHoursShown, job->j_time);
            if (frame.right - frame.left <= 0) {
                const float oldLeft = frame.left;
                frame.left = frame.right + 1 - fPixelsPerDay;
                frame.right = oldLeft - 1;
            }
            if (frame.left > fRightBound) {
                fTrouble++;
                fRightOut = true;
                // Not drawn: beyond the bar no knob is made.
                continue;
            }
            if (frame.right > fRightBound)
                frame.right = fRightBound - 1;
            plans.push_back({frame, Cut(order->oauft, 11), Oknopf::DataOf(*order, jobIndex), job});
        }
    }
    _ScanKnoepfe(plans, worker->multiuse > 0);
    _MakeKnobs(plans);
    DrawTrouble();
}

void WBalken::ScanOrdersInLast(PlanLock& lock, const WorkerJobs* jobs)
{
    if (DaStMode.load() != DSM_ROW)
        return;
    _BeginPlacement();
    Worker* worker = lock.WorkerWithID(fKeyId);
    STOrder* orders = lock.Orders();
    if (fKind != WB_WORKER || worker == nullptr || orders == nullptr || !_Scale())
        return;
    fHoursPerMonth = HoursPerMonth(*worker);
    // A worker with (almost) no weekly hours has no month to measure by.
    const float scale = fHoursPerMonth > 0 ? fMonthWidth / fHoursPerMonth : 0;
    if (!(scale > 0) || !std::isfinite(scale)) {
        printf("WBalken: %s has no hours per month\n", fName.c_str());
        return;
    }
    // One bar alone collects only its own worker's jobs.
    WorkerJobs own;
    if (jobs == nullptr) {
        own[fKeyId] = JobsOf(lock, fKeyId);
        jobs = &own;
    }
    std::vector<KnobPlan> plans;
    float x = fAxisStart;
    auto found = jobs->find(fKeyId);
    if (found != jobs->end()) {
        for (const auto& [orderIndex, jobIndex] : found->second) {
            Order* order = orders->GetOrder(orderIndex);
            if (order == nullptr)
                continue;
            ProzBalken* job = order->jobs[jobIndex].get();
            const float width = TInt2float(job->j_time) * scale;
            const BRect frame(x, VInSet, x + width - 1, Bounds().bottom - 1);
            x += width;
            fHoursShown = Add2TInt(fHoursShown, job->j_time);
            if (frame.left > fRightBound)
                continue;
            plans.push_back(
                {SaneRect(frame), Cut(order->oauft, 11), Oknopf::DataOf(*order, jobIndex), job});
        }
    }
    _ScanKnoepfe(plans, worker->multiuse > 0);
    _MakeKnobs(plans);
    DrawTrouble();
}

void WBalken::AddOrderSubProzesses(PlanLock& lock)
{
    Order* order = fKind == WB_ORDER ? lock.OrderWithID(fKeyId) : nullptr;
    if (fKind == WB_ORDER && order == nullptr) {
        printf("bord==NULL\n");
        return;
    }
    if (DaStMode.load() != DSM_ORBA) {
        printf("Not DSM_ORBA\n");
        return;
    }
    if (fKind != WB_ORDER) {
        printf("Not WB_ORDER-Modus\n");
        return;
    }
    _BeginPlacement();
    if (!_Scale())
        return;
    std::vector<KnobPlan> plans;
    for (size_t j = 0; j < order->jobs.size(); j++) {
        ProzBalken* job = order->jobs[j].get();
        Worker* worker = job != nullptr ? lock.WorkerWithID(job->j_id) : nullptr;
        if (worker == nullptr) {
            printf("BAD WORKER \n");
            continue;
        }
        fHoursPerMonth = HoursPerMonth(*worker);
        BRect frame = _TimeFrame(*worker, *job);
        if (frame.left > fRightBound) {
            printf("ORDER oops  ausserhalb\n");
            fRightOut = true;
            continue;
        }
        if (frame.right > fRightBound)
            frame.right = fRightBound - 1;
        plans.push_back({frame, Cut(worker->w_name, 10), Oknopf::DataOf(*order, int32(j)), job});
    }
    _MakeKnobs(plans);
    DrawTrouble();
}

void WBalken::ScanOrdersEarliest(PlanLock&)
{
    printf("\nWBalken::ScanOrdersEarliest  %s\n", fName.c_str());
    SortKnoepfeInBeginFolge();
}

void WBalken::_ScanKnoepfe(std::vector<KnobPlan>& plans, bool multiuse)
{
    // The count of jobs beyond the bar stays: they are trouble too.
    SetViewColor(kBarColor);
    const size_t n = plans.size();
    for (size_t i = 0; i < n; i++) {
        for (size_t j = i + 1; j < n; j++) {
            if (!plans[i].frame.Intersects(plans[j].frame))
                continue;
            if (!multiuse)
                fTrouble++;
            plans[i].job->highlighted = 1;
            plans[j].job->highlighted = 1;
            plans[i].data.highlighted = true;
            plans[j].data.highlighted = true;
            // Staggered, so both stay visible.
            plans[i].frame.OffsetBy(0, -3);
        }
    }
}

void WBalken::_MakeKnobs(std::vector<KnobPlan>& plans)
{
    for (KnobPlan& plan : plans)
        AddChild(new Oknopf(plan.frame, plan.label, plan.data));
}

void WBalken::RemoveAllKnoepfe(bool border)
{
    const std::vector<Oknopf*> knobs = Knobs();
    for (Oknopf* knob : knobs)
        delete knob;
    if (!knobs.empty() || border)
        Invalidate();
}

void WBalken::SortKnoepfeInBeginFolge()
{
    std::vector<Oknopf*> knobs = Knobs();
    const int32 n = int32(knobs.size());
    for (int32 gap = n / 2; gap >= 1; gap /= 2) {
        for (int32 i = gap; i < n; i++) {
            for (int32 j = i - gap; j >= 0; j -= gap) {
                if (!(knobs[j + gap]->Frame().left < knobs[j]->Frame().right))
                    break;
                std::swap(knobs[j], knobs[j + gap]);
            }
        }
    }
    for (int32 k = 1; k < n; k++)
        knobs[k]->MoveTo(knobs[k - 1]->Frame().right + 1, VInSet);
    Invalidate();
}

// MARK: Input

void WBalken::MouseDown(BPoint)
{
    MouseClick();
}

void WBalken::MouseClick()
{
    if (fKind == WB_ORDER) {
        BMessage open('OUIx');
        open.AddInt32("order", fKeyId);
        PostToApp(open);
        return;
    }
    int32 index = 999;
    {
        PlanLock lock;
        if (lock.Workers() != nullptr)
            index = lock.Workers()->FindWorkerNrOverID(fKeyId);
    }
    BMessage open('WUIx');
    open.AddInt32("worker", index);
    PostToApp(open);
    uint32 buttons = 0;
    if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
        buttons = uint32(Window()->CurrentMessage()->GetInt32("buttons", 0));
    if ((buttons & B_SECONDARY_MOUSE_BUTTON) == 0)
        return;
    FlashView(this, 2);
    // The rebuild comes back through the application; the bar packs its
    // knobs after it, or the rebuild would undo the packing.
    BMessage rebuild('WBRO');
    rebuild.AddInt32("xworker", index);
    rebuild.AddBool("pack", true);
    PostToApp(rebuild);
}

void WBalken::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case B_MOUSE_DOWN:
        return MouseClick();
    case B_SIMPLE_DATA:
        return XML_Splice(message, 0);
    case B_MOUSE_MOVED:
        return;
    case B_MOUSE_WHEEL_CHANGED:
        PostToApp(*message);
        return;
    default:
        BView::MessageReceived(message);
    }
}

void WBalken::KeyDown(const char*, int32)
{
    if (Window() != nullptr)
        KeyByOpen(0, Window()->CurrentMessage(), 0);
}
