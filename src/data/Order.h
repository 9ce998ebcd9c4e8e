// One production order: names, deadline, plan date, status, type and the
// chain of jobs. Every change ends in the order check (PruefeOrder).
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calendar/CalDay.h"
#include "calendar/TimeValue.h"
#include "kit/app/GraphicsDefs.h"
#include "kit/app/Locker.h"
#include "kit/app/SupportDefs.h"

class ProzBalken;

using JobList = std::vector<std::unique_ptr<ProzBalken>>;

// Order statuses (ostat) and types (otyp), as the order file stores them.
inline constexpr int32 kOStatPreview = 0;
inline constexpr int32 kOStatActive = 1;
inline constexpr int32 kOStatProgress = 2;
inline constexpr int32 kOStatClosed = 3;
inline constexpr int32 kOStatBreak = 4;
inline constexpr int32 kOTypFix = 0;
inline constexpr int32 kOTypRepeat = 1;
inline constexpr int32 kOTypSingle = 2;

class Order
{
public:
    // New order from the counter; with addFirstJob one open job of 32:00.
    explicit Order(bool addFirstJob);
    virtual ~Order();

    Order(const Order&) = delete;
    Order& operator=(const Order&) = delete;

    // Only active orders and orders in progress are planned and moved.
    bool Schedulable() const { return ostat == kOStatActive || ostat == kOStatProgress; }

    virtual void AddFirstPB();
    // The texts are kept as RecordText has them, at most kNameMax,
    // kDrawingMax and kToolMax bytes, and never more than the "[IT]" line
    // leaves them.
    virtual void NewOAuft(const std::string& text);
    virtual void NewOZnr(const std::string& text);
    virtual void NewOWkz(const std::string& text);
    // Right-aligned in ten characters, at most kDayTextMax bytes.
    virtual void NewODli(const std::string& date);
    virtual void NewOPdl(const std::string& date);
    virtual rgb_color StatusColor();
    virtual void SentToCal(bool notify);
    virtual void PrintToStream();
    virtual int32 CountSubProz();
    // 0, or 1 after "'%s' OpenError!". Writes an ".otp" template.
    virtual int32 SaveAsTempl(const char* path);
    // Backward lay-out of all jobs from the plan date (scheduling).
    virtual void OrgTimeBase();
    // The workers of the open jobs are free after these jobs' end days
    // (a multi-use worker from yesterday on). Status 1 and 2 only.
    virtual void StampWkoFSPoint();
    // movedays: how far the order may move earlier, the smallest gap from a
    // worker's free-start day to its open job's begin, in calendar days
    // (mode 1) or working days (mode 0); 900 when no open job has a worker.
    virtual int32 DaysToWkoFSPoint(int32 mode);
    // The earliest begin (day and time) of the open jobs into day.
    virtual void FindLastFSPoint(ks_calday* day);
    virtual void PruefeOrder(bool notify);
    // Lays the open jobs forward from the first one's begin moved movedays
    // days earlier; the plan date becomes the last open job's end day.
    virtual void SetPbTimesForward(int32 unused);
    // As SetPbTimesForward, the first open job beginning at day.
    virtual void MoveToThisBeginDay(const ks_calday* day);

    // Appends the order's lines of the order file ("; ---", "[IT]", "[PB]",
    // "[LN]").
    void SaveAsASC(std::string& out);
    // Appends the "<order>" element with its jobs to the XML document of
    // path: 0, or 1 after "'%s' OpenError!\n".
    virtual int32 SaveAsXML(const char* path);
    // The report page's heading cell and this order's cell for the form
    // character column + '0'.
    std::string LabelOut(int32 column);
    std::string ContentOut(int32 column);

    // The three texts of an "[IT]" line of an order file, each when the
    // line has it: kept whole as long as the line holds them, since a file
    // of an older build may hold longer texts than the setters take.
    void TakeFileTexts(const std::optional<std::string>& name,
                       const std::optional<std::string>& drawing,
                       const std::optional<std::string>& tool);
    // A link line ("[LN]"), at most kLinkMax bytes as RecordText has it.
    void AddLink(const std::string& link);

    // Status 0..4, type 0..2, need 0..1 (larger values become the largest,
    // as the loader has them); no order check.
    void NewOStat(int32 status);
    void NewOTyp(int32 type);
    void NewONeed(int32 need);

    // The jobs change only through these, by a caller that holds the order
    // list's lock (as for every change); the order check is the caller's,
    // so a loader adding many jobs checks once. AddJob appends and returns
    // the job's index. RemoveJob hands the job back, for a window that shows
    // it to take its view out first; null for an index outside the jobs.
    int32 AddJob(std::unique_ptr<ProzBalken> job);
    std::unique_ptr<ProzBalken> RemoveJob(int32 index);
    // -1 when the job is not this order's; JobAt is null outside the jobs.
    int32 IndexOfJob(const ProzBalken* job) const;
    ProzBalken* JobAt(int32 index) const;

    // With dates of kDayTextMax bytes and single-digit need, status and
    // type the "[IT]" line is one record line.
    static constexpr size_t kNameMax = 80;
    static constexpr size_t kDrawingMax = 80;
    static constexpr size_t kToolMax = 48;
    static constexpr size_t kLinkMax = 249; // after "[LN]"

    int32 valid;
    int32 o_over;                          // 1: deadline before plan date
    int32 onr;                             // id in this run, from sNr
    int32 oneed;                           // 0..1
    int32 ostat;                           // 0 Preview, 1 Activ, 2 Progress, 3 Closed, 4 Break
    int32 otyp;                            // 0 Fix, 1 Repeat, 2 Single
    TInt o_sum;                            // hours of all jobs
    std::string oauft;                     // order name
    std::string oznr;                      // drawing number
    std::string owkz;                      // tool / unit
    std::string odli;                      // deadline "yyyy/mm/dd"
    std::string opdl;                      // plan date "yyyy/mm/dd"
    std::unique_ptr<ks_calday> o_savedpdl; // plan date kept for undo
    int32 movedays;
    uint8 marked;
    JobList jobs;
    std::vector<std::string> links; // "[LN]" lines, added by AddLink
    BLocker o_lock;                 // not taken by the order's own operations

    static std::atomic<int32> sNr;

private:
    // The "[IT]" line without its line end.
    std::string _OrderLine() const;
    size_t _OrderLineLength() const;
    // Both note a change on ChangeMark::Orders() when the field changes.
    void _SetText(std::string& field, const std::string& text, size_t max);
    void _SetDay(std::string& field, const std::string& date);
    void _SetNumber(int32& field, int32 value, int32 max);
    // Every job learns its order's id and its index again.
    void _StampJobs(size_t from);
    // The steps of PruefeOrder.
    void _SortJobs();
    void _CheckJobWorkers();
    void _CheckReadyHoles();
    void _DeriveStatus();
    void _SumHours(bool notify);
};
