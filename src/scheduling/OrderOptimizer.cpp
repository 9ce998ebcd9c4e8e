// The optimisation commands of the order list: orders move earlier so that
// each worker's jobs follow each other, measured against the day on which
// the worker becomes free (its FS point). One undo puts the plan dates of
// before the first move back.
#include <algorithm>
#include <cstdio>

#include "app/AppPost.h"
#include "app/Notices.h"
#include "calendar/CivilDays.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/app/Autolock.h"
#include "kit/app/Beep.h"

namespace {

// F2 repeats one-day runs until one moves nothing; a plan years ahead of
// its workers would take a run per day, so it also stops after ten years
// of days.
constexpr int32 kMaxRepeatedRuns = 3660;

// Only a worker's FS point limits how far an order moves. An order without
// an open job that has a worker has no limit (movedays 900) and would move
// in every run, so it is not moved at all.
bool has_limit(Order& order)
{
    return std::any_of(order.jobs.begin(), order.jobs.end(), [](const auto& job) {
        return job != nullptr && job->j_stat == kJStatOpen && job->CurrentWorker() != nullptr;
    });
}

// By day of the year, so across a year's start.
std::string plan_date_earlier(const std::string& planDate, int64_t days)
{
    std::unique_ptr<ks_calday> day = str2CDay(planDate);
    ks_calday moved{};
    YeardayIsDatum(civil::ClampToInt32(CDayIsYDay(day.get()) - days), day->year, &moved);
    return CDay2str(&moved);
}

// F3 and F4 move by a count of days onto the next working time: across a
// weekend the plan date may stay where it was. Only a changed plan date
// counts as a move, or the run would never find the plan exhausted.
int32 stay(Order& order)
{
    order.movedays = 0;
    order.StampWkoFSPoint();
    return 0;
}

} // namespace

// MARK: The frame of a run

int32 STOrder::_MoveRun(bool repeated, const std::function<int32(Order&)>& move)
{
    if (opt_done != 0)
        return -1;
    if (!repeated)
        SetCursorTo(kCursorBusy);
    BAutolock lock(fLock);
    STWorker* workers = STWorker::Existing();
    if (workers == nullptr) {
        SetCursorTo(kCursorNormal);
        opt_done = 0;
        beep();
        return -1;
    }
    if (sortmode != 2)
        Sort2PlanDatum();
    workers->ClearAllFSPoint();
    SavePDL();

    int32 moved = 0;
    for (const auto& order : fList) {
        if (order != nullptr && order->Schedulable())
            moved += move(*order);
    }
    if (moved == 0) {
        opt_done = 1;
        beep();
    }
    if (!repeated) {
        SetCursorTo(kCursorNormal);
        PostToApp('WBRA');
    }
    return moved;
}

// MARK: Moving commands

int32 STOrder::OptimiertOneDay(int32 mode)
{
    const int32 moved = _MoveRun(mode == 1, [](Order& order) {
        if (order.DaysToWkoFSPoint(0) < 1 || !has_limit(order))
            return stay(order);
        order.NewOPdl(plan_date_earlier(order.opdl, 1));
        order.StampWkoFSPoint();
        order.movedays = 0;
        return 1;
    });
    return std::max(moved, 0);
}

void STOrder::OptimiertDiffTimesA()
{
    OptimiertOneDay(0);
}

void STOrder::OptimiertDiffTimesB()
{
    _MoveRun(false, [](Order& order) {
        const int32 days = order.DaysToWkoFSPoint(1);
        printf(">>>> %s:  movedays: %ld", order.oauft.c_str(), long(days));
        if (days < 1 || !has_limit(order))
            return stay(order);
        order.NewOPdl(plan_date_earlier(order.opdl, days));
        order.StampWkoFSPoint();
        order.movedays = 0;
        return 1;
    });
}

void STOrder::OptimiertDiffTimesC()
{
    const int32 moved = _MoveRun(false, [](Order& order) {
        if (order.DaysToWkoFSPoint(0) < 1 || !has_limit(order))
            return stay(order);
        const std::string before = order.opdl;
        order.SetPbTimesForward(0);
        order.PruefeOrder(false);
        order.StampWkoFSPoint();
        return order.opdl != before ? 2 : 0;
    });
    if (moved >= 0)
        printf("SUM MOVED: %ld", long(moved));
}

void STOrder::OptimiertDiffTimesD()
{
    std::unique_ptr<ks_calday> from = str2CDay(nullptr);
    _MoveRun(false, [&from](Order& order) {
        if (!has_limit(order))
            return stay(order);
        // Negative when an open job begins before its worker is free: the
        // order then moves later.
        order.movedays = civil::ClampToInt32(int64_t(order.DaysToWkoFSPoint(1)) - 1);
        printf("movedays: %3ld", long(order.movedays));
        const bool earlier = order.movedays > 0;
        const std::string before = order.opdl;
        order.SetPbTimesForward(0);
        order.PruefeOrder(false);
        order.FindLastFSPoint(from.get());
        order.MoveToThisBeginDay(from.get());
        order.PruefeOrder(false);
        order.StampWkoFSPoint();
        return earlier && order.opdl != before ? 1 : 0;
    });
}

void STOrder::OptimiertDiffTimesE()
{
    BAutolock lock(fLock);
    opt_done = 0;
    SetCursorTo(kCursorBusy);
    for (int32 run = 0; run < kMaxRepeatedRuns && opt_done == 0; run++) {
        if (OptimiertOneDay(1) == 0)
            break;
    }
    SetCursorTo(kCursorNormal);
    PostToApp('WBRA');
}

// MARK: Looking and undo

void STOrder::ScanOrderTimes()
{
    BAutolock lock(fLock);
    for (const auto& order : fList) {
        if (order == nullptr)
            continue;
        if (!order->Schedulable()) {
            printf("WRONG STAT");
            continue;
        }
        for (const auto& job : order->jobs) {
            if (job == nullptr)
                continue;
            Worker* worker = job->CurrentWorker();
            printf("%s", worker != nullptr ? worker->w_name.c_str() : "-");
            if (job->j_stat != kJStatOpen) {
                printf("PB_CLOSED");
                continue;
            }
            if (worker == nullptr)
                continue;
            const ks_calday free = worker->fs_point ? *worker->fs_point : *str2CDay(nullptr);
            printf("fsp[%s]", CDay2str(&free).c_str());
            printf(" lb[%s]", CDay2str(&job->j_beg).c_str());
            printf(" [%ld]", long(DiffDays(&job->j_beg, &free)));
        }
    }
}

void STOrder::SavePDL()
{
    BAutolock lock(fLock);
    if (pdl_saved != 0)
        return;
    fSavedOrders.clear();
    for (const auto& order : fList) {
        if (order == nullptr)
            continue;
        order->o_savedpdl = str2CDay(order->opdl);
        fSavedOrders.push_back(order->onr);
    }
    std::sort(fSavedOrders.begin(), fSavedOrders.end());
    pdl_saved = 1;
}

void STOrder::RestorePDL()
{
    printf(" RestorePDL(F5)");
    BAutolock lock(fLock);
    if (pdl_saved == 0)
        return;
    for (const auto& order : fList) {
        if (order == nullptr || order->o_savedpdl == nullptr ||
            !std::binary_search(fSavedOrders.begin(), fSavedOrders.end(), order->onr))
            continue;
        order->NewOPdl(CDay2str(order->o_savedpdl.get()));
    }
    fSavedOrders.clear();
    pdl_saved = 0;
    opt_done = 0;
    SetCursorTo(kCursorNormal);
    PostToApp('WBRA');
}
