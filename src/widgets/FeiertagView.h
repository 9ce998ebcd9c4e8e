// The holiday card's view: the holiday list with a date field and a name
// to add one, and "delete selected". Changes go to the holiday list and its
// file at once; the application is then asked to reload ('Hrel').
#pragma once

#include <string>
#include <vector>

#include "kit/interface/Box.h"

class BListView;
class BTextControl;
class DayCell;

class FeiertagView : public BBox
{
public:
    explicit FeiertagView(BRect frame);

    void MessageReceived(BMessage* message) override;

    virtual void AddSelFDays();
    virtual void DelSelFDays();
    virtual void FdaysFromHolidayList();

    std::vector<std::string> Lines() const;
    BListView* LinesView() const { return fList; }

private:
    DayCell* fDate;
    BTextControl* fName;
    BListView* fList;
};
