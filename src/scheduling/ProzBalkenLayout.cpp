#include <algorithm>

#include "calendar/CivilDays.h"
#include "data/DayTable.h"
#include "data/ProzBalken.h"
#include "data/Worker.h"

namespace {

constexpr int64_t kMinutesOfOutsideDay = 8 * 60; // days before the table count 8:00

int64_t minutes_of(int64_t t)
{
    return t / 100 * 60 + t % 100;
}

TInt tint_of(int64_t minutes)
{
    const int64_t magnitude = minutes < 0 ? -minutes : minutes;
    const int64_t value = civil::ClampToInt32(magnitude / 60 * 100 + magnitude % 60);
    return TInt(minutes < 0 ? -value : value);
}

// A stored day may carry odd fields (month 13); stepping gives its normal
// form, so its day of the year and its year belong together.
ks_calday normal_day(const ks_calday& day)
{
    ks_calday normal = day;
    NextCDay(&normal);
    PrevCDay(&normal);
    normal.hours = day.hours;
    return normal;
}

// Working minutes of table entry `index` for the job's worker: days before
// the table, and every day of a worker that is gone, count 8:00; days
// after it have none.
int64_t minutes_at(Worker* worker, int64_t index)
{
    if (worker == nullptr || index < 0)
        return kMinutesOfOutsideDay;
    if (index >= kDayTableDays)
        return 0;
    return std::max<int64_t>(0, minutes_of(worker->GetTagesStdYD(int32(index), 0)));
}

ks_calday days_after(const ks_calday& day, int64_t days)
{
    ks_calday out{};
    YeardayIsDatum(civil::ClampToInt32(CDayIsYDay(&day) + days), day.year, &out);
    out.hours = 0;
    return out;
}

} // namespace

void ProzBalken::ListUsedDaysTable(TInt endTime, const ks_calday* endDay)
{
    if (endDay == nullptr)
        return;
    // endDay may be this job's own end; step through the day's normal form
    // so day of year and year belong together even for odd stored fields.
    ks_calday end = *endDay;
    NextCDay(&end);
    PrevCDay(&end);
    end.hours = endDay->hours;

    Worker* current = CurrentWorker();
    int64_t index = current != nullptr ? DiffDays(&end, &current->TableBase()) : -1;
    int64_t day = CDayIsYDay(&end);

    // All in minutes: 1:20 - 0:45 is 0:35, never 0:75.
    int64_t until = minutes_of(endTime);
    const int64_t endDayMinutes = minutes_at(current, index);
    if (endDayMinutes == 0) {
        until = 0; // a day without hours books nothing
    } else {
        if (!(endDayMinutes > until))
            until -= endDayMinutes;
        if (until >= endDayMinutes)
            until = 0; // never more than the end day has: the whole day
    }
    j_end = end;
    j_end.hours = tint_of(until);

    int64_t rest = minutes_of(j_time);
    bool first = true;
    // At most one pass per day of the table: the days after it have no
    // hours and are skipped at once, those before it are all 8:00.
    while (rest > 0) {
        int64_t minutes = 0;
        if (first && until > 0) {
            minutes = until;
        } else if (index >= kDayTableDays) {
            const int64_t skip = index - (kDayTableDays - 1);
            index -= skip;
            day -= skip;
            first = false;
            continue;
        } else if (current == nullptr || index < 0) {
            const int64_t days = (rest + kMinutesOfOutsideDay - 1) / kMinutesOfOutsideDay;
            rest -= days * kMinutesOfOutsideDay;
            index -= days;
            day -= days;
            break;
        } else {
            minutes = minutes_at(current, index);
        }
        first = false;
        rest -= minutes;
        index--;
        day--;
    }

    const int32_t year = end.year;
    if (rest == 0) {
        YeardayIsDatum(civil::ClampToInt32(day), year, &j_beg);
        j_beg.hours = 0;
    } else {
        YeardayIsDatum(civil::ClampToInt32(day + 1), year, &j_beg);
        j_beg.hours = tint_of(-rest);
    }
}

// Forward and backward read the same table entry for the same day: the
// index is the day's distance from the table base in both directions.
void ProzBalken::CalcDaysForward(TInt beginTime, const ks_calday* beginDay)
{
    if (beginDay == nullptr)
        return;
    const ks_calday begin = [&] {
        ks_calday day = normal_day(*beginDay);
        day.hours = beginTime;
        return day;
    }();
    j_beg = begin;
    j_end = begin; // a job without hours ends where it begins
    int64_t rest = minutes_of(j_time);
    if (rest <= 0)
        return;

    Worker* current = CurrentWorker();
    const int64_t first = current != nullptr ? DiffDays(&begin, &current->TableBase()) : 0;
    auto finish = [&](int64_t index, int64_t minutesInto) {
        j_end = days_after(begin, index - first);
        j_end.hours = tint_of(minutesInto);
    };

    // A begin time inside the day's hours starts the job there; 0 (or the
    // whole day) means the day is taken and the job starts on the next.
    int64_t index = first;
    int64_t into = minutes_of(beginTime);
    if (into <= 0 || into >= minutes_at(current, index)) {
        index++;
        into = 0;
    }

    // Days before the table, and all days of a worker that is gone, have
    // 8:00 each: counted at once, however many.
    if (current == nullptr || index < 0) {
        const int64_t available =
            current == nullptr ? INT64_MAX : -index * kMinutesOfOutsideDay - into;
        if (rest <= available) {
            const int64_t used = rest + into;
            const int64_t days = (used + kMinutesOfOutsideDay - 1) / kMinutesOfOutsideDay;
            const int64_t last = used - (days - 1) * kMinutesOfOutsideDay;
            finish(index + days - 1, last == kMinutesOfOutsideDay ? 0 : last);
            return;
        }
        rest -= available;
        index = 0;
        into = 0;
    }
    for (; index < kDayTableDays; index++, into = 0) {
        const int64_t available = minutes_at(current, index) - into;
        if (available <= 0)
            continue;
        if (rest <= available) {
            finish(index, rest == available ? 0 : into + rest);
            return;
        }
        rest -= available;
    }
    // No working hours ahead in the table: the job ends with the table.
    finish(std::max<int64_t>(first, kDayTableDays - 1), 0);
}

void ProzBalken::ListUsedDays(TInt endTime, const ks_calday* endDay)
{
    if (endDay == nullptr)
        return;
    j_end = normal_day(*endDay);
    j_end.hours = endTime;

    Worker* current = CurrentWorker();
    int64_t week[7];
    int64_t sum = 0;
    for (int32 k = 0; k < 7; k++) {
        week[k] = current != nullptr ? std::max<int64_t>(0, minutes_of(current->GetTagesStdWD(k)))
                                     : kMinutesOfOutsideDay;
        sum += week[k];
    }

    int32 weekday = CDayIsWDay(&j_end);
    int64_t day = 0; // days from the end day
    int64_t rest = minutes_of(j_time) + minutes_of(endTime);
    // Whole weeks at once: each takes the same hours and leaves the
    // weekday where it was.
    if (sum > 0 && rest > sum) {
        const int64_t weeks = (rest - 1) / sum;
        rest -= weeks * sum;
        day -= weeks * 7;
    }
    // A week without hours never uses the rest up: stop after as many days
    // as the day table holds.
    for (int32 steps = 0; rest > 0 && steps < kDayTableDays; steps++) {
        rest -= week[weekday];
        day--;
        weekday = (weekday + 6) % 7;
    }
    day++;
    weekday = (weekday + 1) % 7;
    if (rest < 0) {
        j_beg = days_after(j_end, day);
        j_beg.hours = tint_of(week[weekday] + rest);
    } else {
        j_beg = days_after(j_end, day - 1);
        j_beg.hours = 0;
    }
}
