// The month grid of the date picker. Its children are cells in a fixed
// order, found by index:
//   0 "OK", 1 "Cancel", 2..8 the weekday headings (Sunday first),
//   9..50 the 42 day cells, 51..62 the month buttons, 63 "<",
//   64 the year label, 65 ">".
// The cells post their commands to the window; the card decides.
#pragma once

#include "kit/interface/View.h"

class DayCell;

class MonView : public BView
{
public:
    static constexpr int32 kOkCell = 0;
    static constexpr int32 kCancelCell = 1;
    static constexpr int32 kFirstHeading = 2;
    static constexpr int32 kFirstDayCell = 9;
    static constexpr int32 kDayCells = 42;
    static constexpr int32 kFirstMonthCell = 51;
    static constexpr int32 kYearDownCell = 63;
    static constexpr int32 kYearCell = 64;
    static constexpr int32 kYearUpCell = 65;
    static constexpr int32 kCells = 66;

    MonView(BRect frame, const char* name);
    ~MonView() override;

    // Null outside 0 .. kCells - 1.
    DayCell* Cell(int32 index) const;
    // Shows the month with day lit; day is first limited to the month's
    // length, and that day is returned.
    int32 Day4Mon(int32 day, int32 month, int32 year);
    void HighlightMon(int32 month);

private:
    void _AddButtons();
    void _AddGrid();
    void _AddMonths();
};
