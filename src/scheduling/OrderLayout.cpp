#include <algorithm>
#include <climits>
#include <cstdio>

#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STWorker.h"
#include "data/Worker.h"

namespace {

// A point in a working day: (D, t) lies t working hours into D, and
// (D, 0) is the end of D, so it comes after every other time of D.
int64_t point_in_day(TInt t)
{
    return t == 0 ? INT64_MAX : int64_t(t);
}

bool earlier(const ks_calday& a, const ks_calday& b)
{
    const int32_t days = DiffDays(&a, &b);
    return days < 0 || (days == 0 && point_in_day(a.hours) < point_in_day(b.hours));
}

char next_letter(char letter)
{
    // Past the last letter the groups share it; a char must not overflow.
    return letter < CHAR_MAX ? char(letter + 1) : letter;
}

// By day of the year, so across a year's start in either direction.
ks_calday moved_by(const ks_calday& day, int64_t days)
{
    ks_calday out{};
    YeardayIsDatum(civil::ClampToInt32(CDayIsYDay(&day) + days), day.year, &out);
    out.hours = day.hours;
    return out;
}

// The open jobs one after the other from start, each group where the
// previous one ends and parallel jobs where their partner begins. The last
// open job laid, or null.
ProzBalken* lay_open_jobs_forward(Order& order, const ks_calday& start, bool withTime)
{
    ProzBalken* previous = nullptr;
    ks_calday current = start;
    for (const auto& job : order.jobs) {
        if (job == nullptr || job->j_stat != kJStatOpen)
            continue;
        if (previous != nullptr) {
            if (job->timebase < previous->timebase) {
                printf("[tb_bas >]");
                current = previous->j_end;
            } else if (job->timebase == previous->timebase) {
                printf("[tb_bas==]");
                current = previous->j_beg;
            }
        }
        job->CalcDaysForward(withTime ? current.hours : 0, &current);
        previous = job.get();
    }
    return previous;
}

ProzBalken* first_open_job(const Order& order)
{
    for (const auto& job : order.jobs) {
        if (job != nullptr && job->j_stat == kJStatOpen)
            return job.get();
    }
    return nullptr;
}

} // namespace

void Order::OrgTimeBase()
{
    if (jobs.empty()) {
        printf("raus OrgTimeBase [%ld]", long(onr));
        return;
    }
    const size_t last = jobs.size() - 1;
    for (size_t i = 0; i <= last; i++) {
        if (jobs[i] == nullptr) {
            printf("\nbad pb");
            return;
        }
    }

    // Jobs that end at or right of the reference run beside it; each step
    // to the left opens the next group, so 'A' ends last.
    ProzBalken* reference = jobs[last].get();
    reference->timebase = 'A';
    for (size_t i = last + 1; i-- > 0;) {
        ProzBalken* job = jobs[i].get();
        if (job->j_pos.right < reference->j_pos.right) {
            job->timebase = next_letter(reference->timebase);
            reference = job;
        }
        job->timebase = reference->timebase;
    }

    const ks_calday planned = CDayOfText(opdl);
    jobs[last]->ListUsedDaysTable(0, &planned);
    ks_calday earliest = jobs[last]->j_beg;

    // Parallel jobs end where their group ends: the point the reference was
    // laid from, not its own end, which a short or free day may have moved.
    reference = jobs[last].get();
    ks_calday groupEnd = planned;
    for (size_t i = last + 1; i-- > 0;) {
        ProzBalken* job = jobs[i].get();
        if (earlier(reference->j_beg, earliest))
            earliest = reference->j_beg;
        ks_calday from = groupEnd;
        if (job->timebase > reference->timebase)
            from = earliest;
        job->ListUsedDaysTable(from.hours, &from);
        if (job->j_stat == kJStatOpen) {
            reference = job;
            groupEnd = from;
        }
    }
}

// MARK: Free-start points

void Order::StampWkoFSPoint()
{
    if (!Schedulable() || STWorker::Existing() == nullptr)
        return;
    for (const auto& job : jobs) {
        if (job == nullptr || job->j_stat != kJStatOpen)
            continue;
        Worker* worker = job->CurrentWorker();
        if (worker == nullptr)
            continue;
        if (worker->multiuse > 0) {
            worker->fs_point = str2CDay(nullptr);
            PrevCDay(worker->fs_point.get());
        } else {
            worker->fs_point = std::make_unique<ks_calday>(job->j_end);
        }
    }
}

int32 Order::DaysToWkoFSPoint(int32 mode)
{
    if (!Schedulable()) {
        printf(" WRONG STATUS ");
        return 0;
    }
    int32 fewest = 900;
    for (const auto& job : jobs) {
        if (job == nullptr || job->j_stat != kJStatOpen)
            continue;
        Worker* worker = job->CurrentWorker();
        if (worker == nullptr)
            continue;
        const ks_calday fs = worker->fs_point ? *worker->fs_point : *str2CDay(nullptr);
        int32 days = 0;
        if (mode == 1) {
            days = DiffDays(&job->j_beg, &fs); // both a day later: the same distance
        } else {
            days = worker->WorkingDaysBetween(CDaySerial(&fs) + 1, CDaySerial(&job->j_beg) + 1);
        }
        fewest = std::min(fewest, days);
    }
    movedays = fewest;
    return movedays;
}

void Order::FindLastFSPoint(ks_calday* day)
{
    if (day == nullptr)
        return;
    if (!Schedulable()) {
        printf(" WRONG STATUS ");
        return;
    }
    printf("## [%s] FindLastFSPoint", oauft.c_str());
    const ProzBalken* earliest = nullptr;
    int32 fewest = 0;
    for (const auto& job : jobs) {
        if (job == nullptr || job->j_stat != kJStatOpen)
            continue;
        const int32 diff = DiffDays(&job->j_beg, day);
        printf("%15s chkdiff: %3d  ", CDay2str(&job->j_beg).c_str(), int(diff));
        if (earliest == nullptr || diff <= fewest) {
            earliest = job.get();
            fewest = diff;
        }
    }
    if (earliest != nullptr)
        *day = earliest->j_beg;
    printf("INTO: %s", CDay2str(day).c_str());
}

// MARK: Forward lay-out

void Order::SetPbTimesForward(int32)
{
    if (movedays == 0) {
        printf("SetPbTimesForward - RETURN");
        return;
    }
    if (!Schedulable())
        return;
    if (ProzBalken* first = first_open_job(*this)) {
        // A negative movedays moves the order later.
        const ks_calday start = moved_by(first->j_beg, -int64_t(movedays));
        if (ProzBalken* last = lay_open_jobs_forward(*this, start, false))
            NewOPdl(CDay2str(&last->j_end));
    }
    movedays = 0;
    PruefeOrder(false);
}

void Order::MoveToThisBeginDay(const ks_calday* day)
{
    if (day == nullptr || !Schedulable())
        return;
    if (first_open_job(*this) != nullptr) {
        if (ProzBalken* last = lay_open_jobs_forward(*this, *day, true))
            NewOPdl(CDay2str(&last->j_end));
    }
    movedays = 0;
}
