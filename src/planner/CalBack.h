// The area below the calendar's header: the day grid (month lines,
// weekends, today, holidays) under the bars.
#pragma once

#include "kit/interface/View.h"

class CalView;

class CalBack : public BView
{
public:
    CalBack(BRect frame, const char* name);

    void Draw(BRect updateRect) override;

    int32 DisplayMode() const { return fMode; }

private:
    CalView* _Cal() const;
    void _DrawLines(float pixelsPerDay, int32 months);
    void _DrawWeekends(int32 days, float pixelsPerDay);

    int32 fMode = 9999;
};
