#include "planner/CalMapping.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/STLabel.h"
#include "calendar/Clock.h"

bool IsZoomValue(int32 months)
{
    switch (months) {
    case 1:
    case 2:
    case 3:
    case 6:
    case 12:
    case 24:
        return true;
    default:
        return false;
    }
}

ks_calday FirstShownDay()
{
    const std::tm now = Clock::LocalNow();
    return ks_calday{now.tm_year + 1900, uint8_t(now.tm_mon + 1), 1, 0};
}

int32 DaysShown(const ks_calday& first, int32 months)
{
    int32 days = 0;
    for (int32 k = 0; k < months; k++)
        days += TagePerMonat(first.month - 1 + k, first.year);
    return days;
}

float PixelsPerDay(float width, float axisStart, int32 days)
{
    if (days <= 0)
        return 0;
    const float pixels = (width - axisStart) / float(days);
    return std::isfinite(pixels) && pixels > 0 ? pixels : 0;
}

ks_calday DayAfter(const ks_calday& day, int32 n)
{
    const civil::Civil civil = civil::CivilFromDays(CDaySerial(&day) + n);
    return ks_calday{int32_t(civil.year), uint8_t(civil.month), uint8_t(civil.day), day.hours};
}

int32 IsoWeek(const ks_calday& day)
{
    const int64_t serial = CDaySerial(&day);
    // Monday 0 .. Sunday 6; the week belongs to the year of its Thursday.
    const int64_t monday0 = civil::FloorMod(serial - 4, 7);
    const int64_t thursday = serial - monday0 + 3;
    return int32((civil::YeardayFromDays(thursday) - 1) / 7 + 1);
}

namespace {

// The first count characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, size_t count)
{
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); end++) {
        if ((uint8_t(text[end]) & 0xC0) != 0x80 && seen++ == count)
            break;
    }
    return text.substr(0, end);
}

} // namespace

std::string MonthLabel(int32 monthIndex, int32 months, float monthWidth)
{
    std::string label = STLabel::getLabel(c_mons, int32(civil::FloorMod(monthIndex, 12)));
    if (months > 3)
        label = FirstCharacters(label, 3) + ".";
    if (monthWidth < 23.0f)
        label = FirstCharacters(label, 1) + ".";
    return label;
}

BRect BarFrame(int32 row, float width)
{
    return BRect(0, kRowPitch * float(row) + VInSet, width, kRowPitch * float(row + 1) - 1);
}

float SaneCoordinate(float value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, -kFarCoordinate, kFarCoordinate);
}

BRect SaneRect(BRect rect)
{
    return BRect(SaneCoordinate(rect.left), SaneCoordinate(rect.top), SaneCoordinate(rect.right),
                 SaneCoordinate(rect.bottom));
}
