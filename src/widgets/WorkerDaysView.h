// The editing view shared by the off-day card and the illness card: a
// worker menu, "from" and "to" date fields, "add Days", the day list and
// "delete selected". The two cards differ only in the day list they edit
// and in the first letter of their commands ('X' off-days, 'Z' illness).
//
// The view keeps the shown worker's id and the list it came from, never a
// pointer to the worker: every action looks the worker up again under the
// worker list's lock and does nothing (after a diagnostic) when the worker
// or its list has gone meanwhile.
#pragma once

#include <string>
#include <vector>

#include "kit/interface/Box.h"

class BListView;
class BMenuField;
class DayCell;
class STWorker;
class Worker;

class WorkerDaysView : public BBox
{
public:
    void MessageReceived(BMessage* message) override;

    int32 ShownWorkerID() const { return fWorkerID; }
    // The list lines as shown: " SUM: n " and one day text per day.
    std::vector<std::string> Lines() const;
    BListView* LinesView() const { return fList; }

protected:
    WorkerDaysView(BRect frame, const char* name, bool illness);

    // The days of the range in the date fields, through the worker's checks.
    void AddSelDays();
    // The days of the selected lines.
    void DelSelDays();
    // Shows the worker with that id and its days.
    void DaysFromWorker(int32 id);

private:
    uint32 _Code(uint32 offDayCode) const;
    // The worker list the view was opened with, when it is still the open
    // one; null (for good) once it was closed.
    STWorker* _Workers();
    // Under the list's lock: the shown worker, or null after a diagnostic.
    Worker* _ShownWorker(STWorker& workers);
    void _BuildMenu();
    void _PickedDay(const BMessage* message, bool both);

    bool fIllness;
    STWorker* fWorkers = nullptr; // compared, never followed without a check
    int32 fWorkerID = 0;
    BMenuField* fMenuField;
    DayCell* fFrom;
    DayCell* fTo;
    BListView* fList;
};
