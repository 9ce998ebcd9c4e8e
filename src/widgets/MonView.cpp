#include "widgets/MonView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/STLabel.h"
#include "calendar/CalDay.h"
#include "widgets/CalCard.h"
#include "widgets/DayCell.h"

namespace {

// Sunday first, as the grid's columns.
constexpr int32 kHeadingDays[7] = {6, 0, 1, 2, 3, 4, 5};

// The first two characters of a weekday's name, whole UTF-8 characters.
std::string two_letters(const std::string& name)
{
    size_t end = 0;
    for (int letters = 0; letters < 2 && end < name.size(); letters++) {
        end++;
        while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
            end++;
    }
    return name.substr(0, end);
}

// Cell k of the 7 x 7 grid: 17 x 14 pixels, 19 across and 16 down.
BRect grid_cell(int32 k)
{
    const float c = float(k % 7);
    const float r = float(k / 7);
    return BRect(19 * c + 7, 16 * r + 10, 19 * c + 24, 16 * r + 24);
}

} // namespace

MonView::MonView(BRect frame, const char* name) : BView(frame, name, B_FOLLOW_ALL, B_WILL_DRAW)
{
    SetViewColor(216, 216, 216);
    _AddButtons();
    _AddGrid();
    _AddMonths();
}

MonView::~MonView() = default;

void MonView::_AddButtons()
{
    const BRect bounds = Bounds();
    const float w = bounds.Width();
    const float half = std::floor(w / 2);
    const float b = bounds.bottom;
    AddChild(new DayCell(BRect(8, b - 20, half - 11, b - 6), "ok",
                         STLabel::getLabel(templn, 1).c_str(), new BMessage('__OK'), 0));
    AddChild(new DayCell(BRect(half, b - 20, w - 6, b - 6), "cancel",
                         STLabel::getLabel(templn, 0).c_str(), new BMessage('_NOK'), 0));
}

void MonView::_AddGrid()
{
    for (int32 k = 0; k < 7; k++) {
        const std::string heading = " " + two_letters(STLabel::getLabel(wdaysn, kHeadingDays[k]));
        AddChild(new DayCell(grid_cell(k), "wday", heading.c_str(), new BMessage('----'), 2));
    }
    for (int32 k = 7; k < 49; k++) {
        const uint32 command = 'ccD_' + uint32(k - 6);
        AddChild(new DayCell(grid_cell(k), "day", "   ", new BMessage(command), 3));
    }
}

void MonView::_AddMonths()
{
    const float w = Bounds().Width();
    // Whole pixels, as the views keep them.
    const float half = std::floor(w / 2);
    for (int32 m = 0; m < 12; m++) {
        const BRect row = grid_cell((m % 6 + 1) * 7);
        const BRect frame = m < 6 ? BRect(half, row.top, half + 68, row.bottom)
                                  : BRect(half + 70, row.top, w - 6, row.bottom);
        AddChild(new DayCell(frame, "month", STLabel::getLabel(c_mons, m).c_str(),
                             new BMessage('ccM_' + uint32(m + 1)), 3));
    }
    AddChild(new DayCell(BRect(half, 7, half + 30, 21), "yearminus", "<", new BMessage('MMIN'), 3));
    auto* year = new DayCell(BRect(half + 32, 7, w - 38, 21), "year", "", nullptr, 2);
    year->SetSpot(true, false);
    AddChild(year);
    AddChild(new DayCell(BRect(w - 36, 7, w - 6, 21), "yearplus", ">", new BMessage('MPLU'), 3));
}

DayCell* MonView::Cell(int32 index) const
{
    return dynamic_cast<DayCell*>(ChildAt(index));
}

int32 MonView::Day4Mon(int32 day, int32 month, int32 year)
{
    ks_calday first{year, uint8_t(month), 1, 0};
    const int32 w = CDayIsWDay(&first);
    const int32 n = TagePerMonat(month - 1, year);
    day = std::clamp(day, int32(1), n);
    auto* card = dynamic_cast<CalCard*>(Window());
    if (card == nullptr)
        printf("bad parent\n");
    for (int32 i = kFirstDayCell; i < kFirstDayCell + kDayCells; i++) {
        DayCell* cell = Cell(i);
        cell->SetSpot(false);
        cell->SetModus(3);
        const int32 number = i - (w + 9);
        if (number < 1 || number > n) {
            cell->SetText("   ");
            continue;
        }
        char text[16];
        snprintf(text, sizeof(text), " %2d", int(number));
        cell->SetText(text);
        if (number == day) {
            cell->SetSpot(true);
            if (card != nullptr)
                CalCard::lastday = i;
        }
    }
    char text[16];
    snprintf(text, sizeof(text), "%d", int(year));
    Cell(kYearCell)->SetText(text);
    Cell(kYearCell)->SetSpot(true);
    return day;
}

void MonView::HighlightMon(int32 month)
{
    for (int32 m = 0; m < 12; m++)
        Cell(kFirstMonthCell + m)->SetSpot(m + 1 == month);
}
