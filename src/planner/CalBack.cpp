#include "planner/CalBack.h"

#include <cstdio>
#include <ctime>

#include "app/Settings.h"
#include "calendar/Clock.h"
#include "data/STHolidays.h"
#include "kit/interface/StateGuard.h"
#include "planner/CalMapping.h"
#include "planner/CalView.h"

CalBack::CalBack(BRect frame, const char* name)
    : BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS)
{
    SetViewColor(AskColor(uc_OPE));
}

CalView* CalBack::_Cal() const
{
    return dynamic_cast<CalView*>(Parent());
}

void CalBack::Draw(BRect)
{
    CalView* cal = _Cal();
    if (cal == nullptr) {
        printf("CalBack::Draw no Parent!\n");
        return;
    }
    BStateGuard guard(this);
    const BRect bounds = Bounds();
    const int32 months = cal->MonthsShown();
    const ks_calday first = FirstShownDay();
    const int32 days = DaysShown(first, months);
    const float pixelsPerDay = PixelsPerDay(bounds.Width(), kNameColumn, days);

    SetHighColor(AskColor(uc_OPE));
    FillRect(BRect(kNameColumn + 1, bounds.top, bounds.right, bounds.bottom));
    SetHighColor(cal->ViewColor());
    FillRect(BRect(bounds.left, bounds.top, kNameColumn - 1, bounds.bottom));
    if (pixelsPerDay > 0) {
        float x = kNameColumn;
        SetHighColor(AskColor(uc_TXT));
        for (int32 k = 0; k < months; k++) {
            x += pixelsPerDay * float(TagePerMonat(first.month - 1 + k, first.year));
            StrokeLine(BPoint(x, bounds.top), BPoint(x, bounds.bottom));
        }
    }
    _DrawLines(pixelsPerDay, months);
    fMode = cal->DisplayMode();
    if (DaStMode.load() == DSM_ROW || !(pixelsPerDay > 0))
        return;
    if (months <= 3)
        _DrawWeekends(days, pixelsPerDay);
    const std::tm now = Clock::LocalNow();
    SetDrawingMode(B_OP_BLEND);
    SetHighColor(AskColor(uc_ERR));
    FillRect(BRect(DayLeft(now.tm_mday - 1, pixelsPerDay), bounds.top,
                   DayLeft(now.tm_mday, pixelsPerDay), bounds.bottom));
    SetDrawingMode(B_OP_COPY);
    if (STHolidays* holidays = STHolidays::Existing())
        holidays->DrawHolidaysInView(this, kNameColumn, days, 0);
    _DrawLines(pixelsPerDay, months);
}

void CalBack::_DrawLines(float, int32)
{
    const BRect bounds = Bounds();
    SetHighColor(AskColor(uc_TXT));
    StrokeLine(BPoint(kNameColumn, bounds.top), BPoint(kNameColumn, bounds.bottom));
    SetHighColor(tint_color(AskColor(uc_OPE), B_DARKEN_3_TINT));
    StrokeLine(BPoint(bounds.left, bounds.bottom), BPoint(bounds.right, bounds.bottom));
}

void CalBack::_DrawWeekends(int32 days, float pixelsPerDay)
{
    const BRect bounds = Bounds();
    const rgb_color light = tint_color(AskColor(uc_OPE), B_DARKEN_1_TINT);
    const rgb_color dark = tint_color(AskColor(uc_OPE), B_DARKEN_3_TINT);
    const ks_calday first = FirstShownDay();
    const int32 weekday = CDayIsWDay(&first);
    // A range that starts on a Sunday shades that Sunday from the axis.
    float saturday = weekday == 6 ? kNameColumn : -1;
    for (int32 n = 0; n <= days; n++) {
        const float x = DayLeft(n, pixelsPerDay);
        const int32 day = (weekday + n) % 7;
        if (day == 5)
            saturday = x;
        if (day == 0 && saturday >= 0) {
            SetDrawingMode(B_OP_MIN);
            SetHighColor(light);
            FillRect(BRect(saturday + 1, bounds.top, x - 1, bounds.bottom));
            SetDrawingMode(B_OP_COPY);
            saturday = -1;
        }
        SetHighColor(dark);
        StrokeLine(BPoint(x, bounds.top), BPoint(x, bounds.bottom));
    }
}
