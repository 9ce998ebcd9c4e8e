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
    auto hoursAt = [current](int64_t i) -> TInt {
        if (current == nullptr || i < 0)
            return 800;
        if (i >= kDayTableDays)
            return 0;
        return current->GetTagesStdYD(int32(i), 0);
    };
    int64_t day = CDayIsYDay(&end);

    int64_t until = endTime;
    const TInt endDayHours = hoursAt(index);
    if (!(endDayHours > until))
        until -= endDayHours;
    until = civil::ClampToInt32(until);
    j_end = end;
    j_end.hours = TInt(until);

    int64_t rest = minutes_of(j_time);
    bool first = true;
    // At most one pass per day of the table: the days after it have no
    // hours and are skipped at once, those before it are all 8:00.
    while (rest > 0) {
        int64_t hours = 0;
        if (first && until > 0) {
            hours = until;
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
            hours = hoursAt(index);
        }
        first = false;
        rest -= minutes_of(hours);
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
