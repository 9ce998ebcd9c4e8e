// One job of an order: hours done by one worker, with status, priority,
// info text and the begin and end that scheduling lays onto working time.
// It is also the job's bar in the order editor: its frame on a 10-pixel grid
// is data (the job order and the parallel groups follow from it).
//
// The order owns its jobs. A window that shows a job as a child view must
// take it out (RemoveSelf) before the window goes, never delete it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "calendar/CalDay.h"
#include "calendar/TimeValue.h"
#include "kit/interface/View.h"

class BPopUpMenu;
class STWorker;
class Worker;

// Job statuses (j_stat), as the order file stores them.
inline constexpr uint8 kJStatOpen = 0;
inline constexpr uint8 kJStatReady = 1;
inline constexpr uint8 kJStatDeleted = 3;

class ProzBalken : public BView
{
public:
    // Looks the worker up by id; an unknown id takes the first worker of the
    // list (after "[%s] WKO n.Found ![ID:%4ld]"). The worker list must hold
    // a worker.
    ProzBalken(BRect position, int32 workerId, uint8 status, TInt hours, int32 priority,
               const char* info);
    ~ProzBalken() override;

    void Draw(BRect updateRect) override;
    void MessageReceived(BMessage* message) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void MouseDown(BPoint where) override;

    virtual void DrawInView(BView* parent);
    virtual void Highlight();
    virtual void MouseClick(BPoint where);
    virtual void MoveMyView();
    virtual void ResizeMyView();
    virtual void GetPosition();
    // At most kInfoMax bytes, as RecordText has it.
    virtual void SetTextInf(const std::string& info);
    // Backward lay-out over the working week alone (no holidays or day
    // lists); the begin time is the part of the begin day the job uses.
    virtual void ListUsedDays(TInt endTime, const ks_calday* endDay);
    // Backward lay-out over the worker's day table (scheduling).
    virtual void ListUsedDaysTable(TInt endTime, const ks_calday* endDay);
    // Forward lay-out over the same table from beginTime hours into
    // beginDay (0: from the end of beginDay).
    virtual void CalcDaysForward(TInt beginTime, const ks_calday* beginDay);
    virtual void PrintToStream();
    virtual void PrintAllPBTimes();
    // Appends the "[PB]" line; false (nothing appended) for an unknown
    // worker id.
    virtual bool PrintToFile(std::string& out);
    // The "<jb_class>" element of the XML project file, and the job's line
    // of the text list: false (nothing appended) for an unknown worker.
    virtual bool PrintToXML(std::string& out);
    virtual bool PrintAscToFile(std::string& out);

    // The four grid values (left, right, top, bottom in units of 10 pixels,
    // rounded up) that the order file and the XML project both write: each
    // 0..255, clamped, and a bar of no width or height repaired ("HH ",
    // "RL ", "VV ", "UD " are printed) so that right > left and
    // bottom > top also at the end of the range.
    std::array<int32, 4> GridValues() const;

    static constexpr size_t kInfoMax = 80;

    // The worker with j_id in the worker list now (also kept in worker);
    // null when the list or the worker is gone.
    Worker* CurrentWorker();

    // Hours of at least 0:00; notes the change.
    void SetHours(TInt hours);

    // The id of the order holding the job and the job's index in it, as the
    // order last set them (adding, removing, checking); 0 and -1 for a job
    // no order holds. Messages name a job by these, never by its address.
    // The window showing the job reads them while the order may change on
    // another thread, so both go in one atomic word.
    int32 OrderId() const;
    int32 JobIndex() const;
    void SetPlace(int32 orderId, int32 index);

    BPopUpMenu* contextMenu; // owned, "pbcontext", made on the first right click
    STWorker* wkoList;
    Worker* worker;
    BRect j_pos;     // stored bar frame in pixels
    int32 wko_nr;    // the worker's position in the worker list
    int32 j_id;      // the worker's id
    uint8 j_stat;    // 0 open, 1 ready, 3 deleted
    TInt j_time;     // hours
    int32 j_prio;    // place in the order
    ks_calday j_beg; // hours part: begin time
    ks_calday j_end; // hours part: end time
    std::string j_info;
    uint8 highlighted;
    char timebase; // parallel group letter, '-' until laid out

    static std::atomic<int32> pbCount;

private:
    void _DrawTexts();
    void _OpenContextMenu();
    void _StatusChosen(BMessage* message);
    void _WorkerChosen(BMessage* message);
    // Where the bar may be dragged: its parent's bounds.
    BRect _DragArea() const;
    // The frame a drag takes next from the frame, the mouse (in the
    // parent's coordinates) and the drag area; the frame itself to stay.
    using GridStep = BRect (*)(BRect frame, BPoint mouse, BRect area);
    void _DragOnGrid(GridStep step);

    std::atomic<uint64_t> fPlace; // order id high, index low
};
