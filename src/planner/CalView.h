// The calendar: the header with today's date, month names, week or day
// numbers and the zoom pop-up, and its one child CalBack with the day grid
// and one bar (WBalken) per worker or order. It routes the calendar
// commands to the bars and turns a dragged knob into a new plan date.
//
// It works in any window. Commands for the application go through
// PostToApp; what the application sends back ('WBRO', 'MOVX' ...) arrives
// here as messages.
#pragma once

#include <string>

#include "calendar/CalDay.h"
#include "kit/app/Locker.h"
#include "kit/interface/View.h"

class CalBack;
class WBalken;

// Display modes (DaStMode).
inline constexpr int32 DSM_ROW = 0;
inline constexpr int32 DSM_WORKER = 1;
inline constexpr int32 DSM_EARLIEST = 2;
inline constexpr int32 DSM_ORBA = 3;

class CalView : public BView
{
public:
    CalView(BRect frame, const char* name, const char* second, int32 year, int32 month);

    void Draw(BRect updateRect) override;
    void MessageReceived(BMessage* message) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void FrameResized(float width, float height) override;

    virtual void OrdersInBars();
    virtual void RemoveWorkerBars();
    virtual void AddWorkerBars();
    virtual void DrawChilds();
    virtual void ReorgThisChildren(BMessage* message);
    virtual void ReorgAllChildren();
    virtual void OnlyKnopfRedraw();
    virtual void MarkOrder(int32 number);
    virtual void MovingOrder(BMessage* message);

    // False, and nothing changed, for a count that is no zoom step.
    bool SetMonthsShown(int32 months);
    int32 MonthsShown() const { return fMonths; }
    // The months shown from day 1 of today's month.
    int32 DaysShown() const;
    // (width - 120) / days shown of the last draw.
    float PixelsPerDay() const { return fPixelsPerDay; }
    float MonthWidth() const;
    void SetDisplayMode(int32 mode) { fMode = mode; }
    int32 DisplayMode() const { return fMode; }
    CalBack* Background() const { return fBack; }
    int32 CountBars() const;
    WBalken* BarAt(int32 index) const;

private:
    void _Zoom(BMessage* message);
    void _DrawMonths(const ks_calday& first, int32 days, float pixelsPerDay);
    void _DrawWeeks(const ks_calday& first, int32 days, float pixelsPerDay);
    void _DrawDays(int32 days, float pixelsPerDay);
    void _Rebuild(WBalken* bar, BMessage* message);
    bool _ProjectOpen() const;

    CalBack* fBack;
    std::string fName;
    int32 fMode;
    int32 fMonths;
    float fPixelsPerDay = 0;
    float fLastWidth = -1;
    BLocker fLock;
};
