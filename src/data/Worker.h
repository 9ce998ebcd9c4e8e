// A person or machine that jobs are given to: names, a working week,
// off-days ("Urlaub") and illness days ("Krank"), and a day table that says
// for each of the next 732 days how many hours the worker works.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/CalDay.h"
#include "calendar/TimeValue.h"
#include "data/DayTable.h"
#include "kit/app/SupportDefs.h"

class BMessage;
class BView;

using DayList = std::vector<std::unique_ptr<ks_calday>>;

class Worker
{
public:
    // "new_%03d"/"ali_%03d" with Nr + 1 after counting itself, id = that
    // creation number, the default week, free-start day today.
    Worker();
    virtual ~Worker();

    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    virtual void AllDaysTable();
    virtual void DrawUdaysInView(BView* view, float x0, int32 days, float unused);
    // The texts are kept as RecordText has them, at most kNameMax,
    // kAliasMax and kCostCentreMax bytes.
    virtual void NewWName(const std::string& name);
    virtual void NewWAlia(const std::string& alias);
    virtual void NewWKstl(const std::string& costCentre);
    // Weekday names keep at most kDayNameMax bytes and are never exactly
    // "IT".
    virtual void NewWWeek(std::unique_ptr<wkoweek> week);
    // One weekday (0 = Monday): false, and the day unchanged, for another
    // weekday, a negative value, or a day that ends after 24:00. Keeps the
    // end time and the weekly hours; the day table and the order check are
    // the caller's (only when w_std changed).
    bool NewWDay(int32 weekday, TInt begin, TInt active, TInt pause);
    // > 0: may carry jobs in parallel.
    void NewWMultiuse(int8 multiuse);
    virtual void DelUday(const char* day);
    // "udayA", "udayB", "udayC": a range of days, at most 45 added.
    virtual void AddUdays(BMessage* message);
    virtual int32 AddUDaysCheck(const char* day);
    virtual void DelIday(const char* day);
    virtual void AddIdays(BMessage* message);
    virtual int32 AddIDaysCheck(const char* day);
    virtual void SortUdays();
    virtual int32 IsUrlaub(const char* day);
    virtual int32 IsKrank(const char* day);
    virtual void SetWochenStd();
    virtual void TravelDaysForward(const ks_calday* start, int32 hours);
    virtual bool HasOpenJobs();
    virtual void PrintToStream();
    // 0, or 1 after "'%s' OpenError!\n". Appends a template block.
    virtual int32 SaveAsTempl(const char* path);
    // Appends this worker's block of the worker file (sorts off-days first).
    virtual void SaveAsASC(std::string& out);
    // Appends the "<worker>" element to the XML document of path (sorts
    // off-days first): 0, or 1 after "'%s' OpenError!\n".
    virtual int32 SaveAsXML(const char* path);

    // A day of the off-day and illness lists from its text: the calendar
    // day it stands for ("2002/13/01" is 2003/01/01), so that it is written
    // back as ten characters; what is no such day is today, as str2CDay has it.
    static std::unique_ptr<ks_calday> ReadDay(std::string_view text);
    // A weekday name as a "[WD]" field holds it.
    static std::string DayNameText(const std::string& name);

    // The texts of an "[IT]" line of a worker file, each when the line has
    // it: kept whole as long as the line holds them, since a file of an
    // older build may hold longer texts than the setters take.
    void TakeFileTexts(const std::optional<std::string>& name,
                       const std::optional<std::string>& alias,
                       const std::optional<std::string>& costCentre);

    // The "[IT]" line holds the three texts, the id and multiuse (at their
    // widest, "-2147483648" and "-128") in one record line.
    static constexpr size_t kNameMax = 128;
    static constexpr size_t kAliasMax = 48;
    static constexpr size_t kCostCentreMax = 48;
    static constexpr size_t kDayNameMax = 10;

    TInt GetTagesStdCD(const ks_calday* day);
    TInt GetTagesStdWD(int32 weekday);
    TInt GetTagesStdYD(int32 index, int32 verbose);
    // Days with hours in [a, b); a count of days.
    int32 DiffDaysOverHours(const ks_calday* a, const ks_calday* b);
    // The same between two serial day numbers (CDaySerial).
    int32 WorkingDaysBetween(int64_t from, int64_t to);

    // Day table: '0'..'6' working weekday, 'f' weekday without hours,
    // 'F' holiday, 'U' off-day, 'I' illness day. Valid after AllDaysTable().
    const DayTable& DaysTable() const { return w_table; }
    const ks_calday& TableBase() const { return w_tablebase; }

    std::unique_ptr<ks_calday> fs_point; // free from this day on; hours of it
    int32 w_nr;                          // creation number
    TInt w_std;                          // weekly hours
    std::unique_ptr<wkoweek> w_week;     // index 0 = Monday
    int32 w_id;                          // persistent id; 0 = none yet
    int8 multiuse;                       // > 0: may carry jobs in parallel
    DayList u_days;                      // off-days, sorted by SortUdays
    DayList i_days;                      // illness days, in adding order
    std::string w_kost;                  // cost centre
    std::string w_alias;
    std::string w_name;

    static std::atomic<int32> Nr;

private:
    // The length of the "[IT]" line with the widest id and multiuse.
    size_t _TextLineLength() const;
    void _SetText(std::string& field, const std::string& text, size_t max);
    // The shared walk of AddUdays/AddIdays.
    void _AddRange(BMessage* message, bool illness);

    // Working days of the table before each entry, for DiffDaysOverHours;
    // rebuilt when the table or a weekday's having hours changes.
    const std::vector<int32>& _WorkingDaysBefore();

    DayTable w_table;
    ks_calday w_tablebase;
    std::vector<int32> w_workdays;
    int32 w_workdaysWeek = -1; // weekdays with hours when w_workdays was built
    int64_t w_baseSerial = 0;
};
