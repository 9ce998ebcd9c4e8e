#include <climits>
#include <cstdio>

#include "data/Order.h"
#include "data/ProzBalken.h"

namespace {

bool earlier(const ks_calday& a, const ks_calday& b)
{
    const int32_t days = DiffDays(&a, &b);
    // The begin time is the part of the day left unused: less is earlier.
    return days < 0 || (days == 0 && a.hours < b.hours);
}

char next_letter(char letter)
{
    // Past the last letter the groups share it; a char must not overflow.
    return letter < CHAR_MAX ? char(letter + 1) : letter;
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

    std::unique_ptr<ks_calday> planned = str2CDay(opdl);
    planned->hours = 0;
    jobs[last]->ListUsedDaysTable(0, planned.get());
    ks_calday earliest = jobs[last]->j_beg;

    reference = jobs[last].get();
    for (size_t i = last + 1; i-- > 0;) {
        ProzBalken* job = jobs[i].get();
        if (earlier(reference->j_beg, earliest))
            earliest = reference->j_beg;
        if (job->timebase == reference->timebase) {
            const TInt endTime = (i != last && job->timebase != 'A') ? reference->j_beg.hours : 0;
            const ks_calday endDay = reference->j_end;
            job->ListUsedDaysTable(endTime, &endDay);
        } else if (job->timebase > reference->timebase) {
            const ks_calday from = earliest;
            job->ListUsedDaysTable(from.hours, &from);
        }
        if (job->j_stat == 0)
            reference = job;
    }
}
