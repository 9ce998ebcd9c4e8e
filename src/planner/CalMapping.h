// The calendar's day-to-pixel mapping and the values every row of it
// shares: the time axis starts at x = 120 with day 1 of the current month
// and shows a whole number of months, one row of 19 pixels per bar.
#pragma once

#include <string>

#include "calendar/CalDay.h"
#include "kit/app/SupportDefs.h"
#include "kit/interface/InterfaceDefs.h"

inline constexpr float kNameColumn = 120;
inline constexpr float kHeaderHeight = 17;
inline constexpr float kRowPitch = 19;
inline constexpr float VInSet = 3; // a knob's top in its bar

// The zoom steps of the header's pop-up; any other count of months is
// refused (0 would divide by zero).
bool IsZoomValue(int32 months);
// The zoom used when a stored one is not a zoom step.
inline constexpr int32 kDefaultZoom = 3;

// Day 1 of today's month (calendar/Clock.h).
ks_calday FirstShownDay();
// The lengths of months months from first's month on, across year ends.
int32 DaysShown(const ks_calday& first, int32 months);
// (width - axisStart) / days; 0 when that is not a positive finite number,
// so nothing is placed at infinity.
float PixelsPerDay(float width, float axisStart, int32 days);
// The left edge of day n (days after the first shown day).
inline float DayLeft(int32 n, float pixelsPerDay)
{
    return kNameColumn + pixelsPerDay * float(n);
}
// The day n days after day (n may be negative).
ks_calday DayAfter(const ks_calday& day, int32 n);

// The ISO week of the week day belongs to (1..53); a Monday's own date
// gives its week, so numbers neither wrap at 52 nor restart mid-week.
int32 IsoWeek(const ks_calday& day);

// The header's text for month index (0 = January, any value): the month
// name, cut to "Nov." when more than 3 months are shown, and to "N." when
// a month is narrower than 23 pixels.
std::string MonthLabel(int32 monthIndex, int32 months, float monthWidth);

// Bar row (from 0) in the background view of that width.
BRect BarFrame(int32 row, float width);

// A coordinate kept inside what the drawing layer is ever asked for: NaN
// becomes 0, everything else lies within +-kFarCoordinate.
inline constexpr float kFarCoordinate = 1 << 20;
float SaneCoordinate(float value);
BRect SaneRect(BRect rect);
