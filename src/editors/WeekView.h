// The worker editor's week graph: seven columns (Monday to Sunday) of 24
// hour rows, each day's working time from its begin to its end filled in.
// A primary click selects the day under the pointer and tells the
// application ('DAYT' with "daytime", which it hands to the worker editor);
// a secondary click deselects (99) and asks the window for the worker
// pop-up ('SAWx').
//
// The graph draws from a copy of the week that the window hands it, so it
// never reaches into a worker that another thread may change or delete.
#pragma once

#include <optional>

#include "calendar/TimeValue.h"
#include "kit/interface/View.h"

class WeekView : public BView
{
public:
    static constexpr int32 kNoDay = 99;

    WeekView(BRect frame, const char* name);

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;

    // The week to draw; nothing for an empty editor.
    void SetWeek(const std::optional<wkoweek>& week);
    // 0..6, or kNoDay for none.
    void SetDay(int32 day);
    int32 Day() const { return fDay; }
    // The worker id drawn in grey while the extra button row is shown; 0
    // draws none.
    void SetShownID(int32 id);
    // A disabled graph takes no clicks.
    void SetEnabled(bool enabled) { fEnabled = enabled; }
    bool IsEnabled() const { return fEnabled; }

    // The column under x: whole columns from the left, kept to 0..6.
    int32 ColumnAt(float x) const;
    float ColumnWidth() const;
    float RowHeight() const;

private:
    void _DrawDay(int32 index, const daymark& day, rgb_color fill);
    void _DrawLabels(rgb_color lines);
    void _Post(uint32 what, int32 day);

    std::optional<wkoweek> fWeek;
    int32 fDay = kNoDay;
    int32 fShownID = 0;
    bool fEnabled = true;
};
