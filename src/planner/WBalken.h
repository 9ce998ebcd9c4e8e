// One row of the calendar: the bar of a worker (its jobs as knobs) or of an
// order (one knob per job). The bar keeps its kind and its record's id and
// looks the record up under the lists' locks whenever it places knobs or
// draws; a record that is gone leaves the bar empty, showing "lost data...".
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "calendar/CalDay.h"
#include "calendar/TimeValue.h"
#include "kit/interface/View.h"
#include "planner/Oknopf.h"

class CalView;
class Order;
class PlanLock;
class ProzBalken;
class Worker;

inline constexpr int32 WB_ORDER = 0;
inline constexpr int32 WB_WORKER = 1;

// The jobs of every worker id: (order position, job position), in list
// order. Made once under the lists' locks when all bars are rebuilt.
using WorkerJobs = std::unordered_map<int32, std::vector<std::pair<int32, int32>>>;

class WBalken : public BView
{
public:
    WBalken(BRect frame, const char* name, int32 kind, int32 id);
    ~WBalken() override;

    void Draw(BRect updateRect) override;
    void MessageReceived(BMessage* message) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;

    virtual void DrawOutRange();
    virtual void DrawTrouble();
    // Rebuilds the knobs by the display mode; the message is not read.
    virtual void ManageUpdMsg(BMessage* message);
    virtual void MouseClick();
    virtual void AddOrderSubProzesses(PlanLock& lock);
    virtual void SortKnoepfeInBeginFolge();
    virtual void RemoveAllKnoepfe(bool border);
    virtual void ScanOrdersEarliest(PlanLock& lock);
    virtual void ScanOrdersInLast(PlanLock& lock, const WorkerJobs* jobs = nullptr);
    virtual void ScanOrdersInLate(PlanLock& lock, const WorkerJobs* jobs = nullptr);

    // ManageUpdMsg inside a lock the caller holds, with the jobs by worker
    // when the caller has them.
    void Rebuild(PlanLock& lock, const WorkerJobs* jobs);
    static WorkerJobs JobsByWorker(PlanLock& lock);
    static std::vector<std::pair<int32, int32>> JobsOf(PlanLock& lock, int32 workerId);

    int32 Kind() const { return fKind; }
    int32 KeyID() const { return fKeyId; }
    int32 TroubleCount() const { return fTrouble; }
    bool LeftOut() const { return fLeftOut; }
    bool RightOut() const { return fRightOut; }
    TInt HoursShown() const { return fHoursShown; }
    const std::string& RowName() const { return fName; }
    bool Lost() const { return fLost; }
    // The bar's knobs in child order.
    std::vector<Oknopf*> Knobs() const;

private:
    struct KnobPlan
    {
        BRect frame;
        std::string label;
        Oknopf::Data data;
        ProzBalken* job; // valid while the lock is held
    };

    CalView* _Cal() const;
    // Pixels per day, first shown day, days shown and the right bound for
    // a placement; false when there is no calendar or no room.
    bool _Scale();
    // The knob frame of a job at its scheduled days and hours.
    BRect _TimeFrame(Worker& worker, const ProzBalken& job);
    void _RefreshRecord(PlanLock& lock);
    // The overlap scan on the planned frames, before any view exists.
    void _ScanKnoepfe(std::vector<KnobPlan>& plans, bool multiuse);
    void _MakeKnobs(std::vector<KnobPlan>& plans);
    void _BeginPlacement();

    int32 fKind;
    int32 fKeyId;
    std::string fName;
    bool fLost = false;
    bool fMultiuse = false;
    rgb_color fLighter;
    rgb_color fDarker;
    TInt fHoursShown = 0;
    TInt fOrderSum = 0;
    float fHoursPerMonth = 40;
    float fAxisStart = 120;
    float fMonthWidth = 70;
    bool fLeftOut = false;
    bool fRightOut = false;
    int32 fTrouble = 0;

    // Set by _Scale for one placement.
    float fPixelsPerDay = 0;
    int64_t fFirstSerial = 0;
    int32 fDaysShown = 0;
    float fRightBound = 0;
};
