// The holiday list of the program: read from and written to
// "defs/holiday.vth", kept in date order, with a day table of the next 732
// days for drawing and for the workers' day tables.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/DayTable.h"
#include "kit/app/Locker.h"

class BView;
class Holiday;

using HolidayList = std::vector<std::unique_ptr<Holiday>>;

class STHolidays
{
public:
    // The one instance, created (and the file read when VTa_USE_HOLIDAY is
    // set) on first call.
    static STHolidays* getSTHolidays();
    // The instance if it exists; never creates it.
    static STHolidays* Existing();

    virtual ~STHolidays();

    // Destroys every holiday and makes the instance unreachable (it is freed
    // when no thread still has it); the next getSTHolidays() builds a fresh
    // list from the file. Not to be called while holding the list's lock.
    virtual void DeleteMe();
    virtual void BuildAllHDaysTable();
    virtual void DrawHolidaysInView(BView* view, float x0, int32 days, float top);
    virtual void ListAllHolidays();
    virtual void SortHolidays();
    // false (after "'%s' OpenError!\n") when the file could not be written,
    // or the list was closed; the previous file is then untouched.
    virtual bool SaveHolidaysList();
    virtual void DelOneDay(const char* text);
    virtual void AddOneDay(const char* day, const char* name);
    virtual int32 IsHoliday(const char* day);
    // Adds the days that are not holidays yet (nor earlier in days), then
    // sorts, saves and rebuilds the table once. The number added.
    virtual int32 AddDays(const std::vector<std::pair<std::string, std::string>>& days);
    // Appends the holiday calendar to the XML document of path; nothing for
    // an empty list. false when it could not be written.
    virtual bool SaveAsXML(const std::string& path);

    static void LoadHolidays(const std::string& path, HolidayList& list);

    // Day table: '-' ordinary, 'F' holiday; from DayTableBase() when built.
    const DayTable& HDaysTable() const { return fTable; }
    // A copy taken under the lock, for readers on other threads.
    DayTable CopyHDaysTable() const;
    // Sets 'F' in a table that starts at base for every holiday inside it;
    // the workers build their tables with it.
    void MarkHolidays(DayTable& table, const ks_calday& base) const;
    const ks_calday& TableBase() const { return fTableBase; }

    int32 CountHolidays() const;
    // Null outside 0 .. CountHolidays() - 1.
    Holiday* HolidayAt(int32 index) const;
    const std::string& Path() const { return fPath; }

    // Held while the list changes; readers that walk it take it too.
    BLocker& Lock() { return fLock; }

    // Unsaved changes: set by every holiday added or deleted (the list saves
    // itself after each, which clears it again when the file is written).
    // The holidays themselves are changed only through the list; code that
    // edits one in place calls SetModified(). Any thread.
    bool Modified() const;
    void SetModified();

private:
    STHolidays();

    HolidayList fList;
    std::string fName;
    std::string fPath;
    DayTable fTable;
    ks_calday fTableBase;
    mutable BLocker fLock;
    bool fClosed = false; // by DeleteMe; nothing is saved any more
};

// Base name of the holiday file, "holiday".
extern std::string DEFS_HDY_IO;
