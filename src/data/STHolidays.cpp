#include "data/STHolidays.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "app/Globals.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "calendar/CivilDays.h"
#include "data/ChangeMark.h"
#include "data/Holiday.h"
#include "data/ListInstance.h"
#include "data/RecordLineReader.h"
#include "kit/app/Autolock.h"
#include "kit/interface/View.h"
#include "kit/storage/SafeSave.h"

std::string DEFS_HDY_IO = "holiday";

namespace {

// Never destroyed: a list still open at exit is not torn down after the
// toolkit it uses.
ListInstance<STHolidays>& Instances()
{
    static auto* instances = new ListInstance<STHolidays>;
    return *instances;
}

long LeadingNumber(const std::string& text)
{
    return strtol(text.c_str(), nullptr, 10);
}

} // namespace

STHolidays* STHolidays::getSTHolidays()
{
    // Two windows may ask for the list at the same moment; only one builds it.
    return Instances().Get([] { return new STHolidays(); });
}

STHolidays* STHolidays::Existing()
{
    return Instances().Current();
}

STHolidays::STHolidays() : fTable{}, fTableBase(DayTableBase()), fLock("STHolidays")
{
    DEFS_HDY_IO = "holiday";
    fName = DEFS_HDY_IO;
    fPath = BuildPath(path2app, kDefsFolder, fName.c_str(), ".vth");
    if (prefsdata & VTa_USE_HOLIDAY) {
        BAutolock lock(fLock);
        LoadHolidays(fPath, fList);
        SortHolidays();
    }
    BuildAllHDaysTable();
    ChangeMark::Holidays().Reset();
    printf(" BUILD-STHolidays-DONE \n");
}

STHolidays::~STHolidays() = default;

// As the order and worker lists: unreachable at once, freed when no thread
// still has it fetched.
void STHolidays::DeleteMe()
{
    std::shared_ptr<STHolidays> owner = Instances().Unlink(this, [] {});
    {
        BAutolock lock(fLock);
        fClosed = true;
        for (size_t i = 0; i < fList.size(); i++) {
            if (!fList[i])
                printf("Bad Holiday (%ld)\n", long(i));
        }
        fList.clear();
    }
    Instances().Release(this, std::move(owner));
}

void STHolidays::LoadHolidays(const std::string& path, HolidayList& list)
{
    std::optional<RecordLineReader> reader = RecordLineReader::Open(path);
    if (!reader) {
        printf(" '%s' Missing !\n", path.c_str());
        return;
    }
    RecordLine line;
    while (reader->Next(line)) {
        if (line.IsComment() || !line.HasTag("[HD]") || !line.HasTag("]["))
            continue;
        auto holiday = std::make_unique<Holiday>();
        if (std::optional<std::string> date = line.Field(1))
            holiday->NewDate(*date);
        if (std::optional<std::string> name = line.Field(2))
            holiday->TakeFileName(*name);
        if (std::optional<std::string> region = line.Field(3))
            printf("no support regi: %s\n", region->c_str());
        list.push_back(std::move(holiday));
    }
}

bool STHolidays::SaveHolidaysList()
{
    BAutolock lock(fLock);
    if (fClosed) {
        // Closed by another thread: its holidays are gone, the file is not.
        printf("'%s' OpenError!\n", fPath.c_str());
        return false;
    }
    const uint64_t changes = ChangeMark::Holidays().Count();
    std::string out = "; -- Holidaylist / Feiertagsliste \n"
                      "; -- [item][yyyy/mm/dd][name][regi]\n";
    long lastYear = 0;
    for (const std::unique_ptr<Holiday>& holiday : fList) {
        const long year = LeadingNumber(holiday->date);
        if (year > lastYear) {
            out += "; --\n";
            lastYear = year;
        }
        holiday->PrintToFile(out);
    }
    out += "; --";
    if (!SaveWholeFile(fPath, out)) {
        printf("'%s' OpenError!\n", fPath.c_str());
        return false;
    }
    ChangeMark::Holidays().Saved(changes);
    return true;
}

bool STHolidays::Modified() const
{
    BAutolock lock(fLock);
    return !fClosed && ChangeMark::Holidays().Modified();
}

void STHolidays::SetModified()
{
    ChangeMark::Holidays().Note();
}

void STHolidays::SortHolidays()
{
    BAutolock lock(fLock);
    std::stable_sort(fList.begin(), fList.end(),
                     [](const std::unique_ptr<Holiday>& a, const std::unique_ptr<Holiday>& b) {
                         return DateSortKey(a->date) < DateSortKey(b->date);
                     });
}

void STHolidays::AddOneDay(const char* day, const char* name)
{
    if (day == nullptr)
        return;
    BAutolock lock(fLock);
    auto holiday = std::make_unique<Holiday>();
    holiday->NewDate(day);
    // Compared as held: a short day text is held right-aligned.
    if (IsHoliday(holiday->date.c_str()))
        return;
    holiday->NewName(name != nullptr ? name : "");
    fList.insert(fList.begin(), std::move(holiday));
    ChangeMark::Holidays().Note();
    SortHolidays();
    SaveHolidaysList();
    BuildAllHDaysTable();
}

int32 STHolidays::AddDays(const std::vector<std::pair<std::string, std::string>>& days)
{
    BAutolock lock(fLock);
    std::unordered_set<std::string> known;
    for (const std::unique_ptr<Holiday>& holiday : fList)
        known.insert(holiday->date);
    HolidayList added;
    for (const auto& [day, name] : days) {
        auto holiday = std::make_unique<Holiday>();
        holiday->NewDate(day);
        holiday->NewName(name);
        if (known.insert(holiday->date).second)
            added.push_back(std::move(holiday));
    }
    if (added.empty())
        return 0;
    // In front, last first, as one AddOneDay after the other would leave
    // days that sort equal.
    fList.insert(fList.begin(), std::make_move_iterator(added.rbegin()),
                 std::make_move_iterator(added.rend()));
    ChangeMark::Holidays().Note();
    SortHolidays();
    SaveHolidaysList();
    BuildAllHDaysTable();
    return int32(added.size());
}

void STHolidays::DelOneDay(const char* text)
{
    const std::string_view haystack = text != nullptr ? text : "";
    BAutolock lock(fLock);
    auto found = std::find_if(fList.begin(), fList.end(), [&](const std::unique_ptr<Holiday>& h) {
        return haystack.find(h->date) != std::string_view::npos;
    });
    if (found != fList.end()) {
        fList.erase(found);
        ChangeMark::Holidays().Note();
    }
    SortHolidays();
    SaveHolidaysList();
    BuildAllHDaysTable();
}

int32 STHolidays::IsHoliday(const char* day)
{
    if (day == nullptr)
        return 0;
    BAutolock lock(fLock);
    for (const std::unique_ptr<Holiday>& holiday : fList) {
        if (holiday->date == day)
            return 1;
    }
    return 0;
}

int32 STHolidays::CountHolidays() const
{
    BAutolock lock(fLock);
    return int32(fList.size());
}

Holiday* STHolidays::HolidayAt(int32 index) const
{
    BAutolock lock(fLock);
    if (index < 0 || size_t(index) >= fList.size())
        return nullptr;
    return fList[size_t(index)].get();
}

void STHolidays::ListAllHolidays()
{
    BAutolock lock(fLock);
    for (const std::unique_ptr<Holiday>& holiday : fList)
        holiday->PrintToStream();
}

void STHolidays::MarkHolidays(DayTable& table, const ks_calday& base) const
{
    BAutolock lock(fLock);
    for (const std::unique_ptr<Holiday>& holiday : fList) {
        // Any other text would read as today and mark a day nobody chose.
        if (holiday->date.size() != 10)
            continue;
        const std::unique_ptr<ks_calday> day = str2CDay(holiday->date);
        const int32 d = DiffDays(day.get(), &base);
        if (d >= 0 && d < kDayTableDays)
            table[size_t(d)] = 'F';
    }
}

void STHolidays::BuildAllHDaysTable()
{
    BAutolock lock(fLock);
    fTableBase = DayTableBase();
    std::fill(fTable.begin(), fTable.end() - 1, '-');
    fTable[kDayTableDays] = '\0';
    MarkHolidays(fTable, fTableBase);
}

DayTable STHolidays::CopyHDaysTable() const
{
    BAutolock lock(fLock);
    return fTable;
}

void STHolidays::DrawHolidaysInView(BView* view, float x0, int32 days, float top)
{
    if (view == nullptr || DaStMode == 0 || days <= 0)
        return;
    // The calendar draws on its own thread; a card may be changing the list.
    const DayTable table = CopyHDaysTable();
    const BRect bounds = view->Bounds();
    const float w = (bounds.Width() - x0) / float(days);
    view->SetHighColor(AskColor(uc_HDY));
    view->SetDrawingMode(B_OP_BLEND);
    for (int32 k = 0; k < kDayTableDays; k++) {
        if (table[size_t(k)] != 'F')
            continue;
        view->FillRect(BRect(x0 + w * float(k), top, x0 + w * float(k + 1) - 1, bounds.bottom - 1));
        if (k > days)
            break;
    }
    view->SetDrawingMode(B_OP_COPY);
}
