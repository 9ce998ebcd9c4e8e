#include "data/Worker.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "data/ChangeMark.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/RecordText.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/View.h"
#include "kit/storage/SafeSave.h"

std::atomic<int32> Worker::Nr{0};

namespace {

// One range from the day cards adds at most this many days.
constexpr int32 kMaxRangeDays = 45;
// A week without working hours refuses every day; the walk still ends.
constexpr int32 kMaxRangeWalk = 3660;

const char* const kDayKinds[7] = {"Mon ", "Die ", "Mit ", "Don ", "Fre ", "Sam ", "Son "};

// "%10s": day texts of years before 1000 are padded to ten characters.
void AppendPadded(std::string& out, const std::string& text)
{
    if (text.size() < 10)
        out.append(10 - text.size(), ' ');
    out += text;
}

std::string DayText(const ks_calday& day)
{
    return CDay2str(&day);
}

bool SameDay(const ks_calday& a, const char* text)
{
    return text != nullptr && CDay2str(&a) == text;
}

// The first entry whose day text is text, or the end.
DayList::iterator FindDay(DayList& list, const char* text)
{
    return std::find_if(list.begin(), list.end(), [text](const std::unique_ptr<ks_calday>& day) {
        return day && SameDay(*day, text);
    });
}

void MarkDays(DayTable& table, const ks_calday& base, const DayList& days, char code)
{
    for (const std::unique_ptr<ks_calday>& day : days) {
        if (!day)
            continue;
        const int32 d = DiffDays(day.get(), &base);
        if (d >= 0 && d < kDayTableDays)
            table[size_t(d)] = code;
    }
}

// "[UD]" or "[IL]" lines: a new line for every new year and after every
// sixth day; the count runs on across a year break.
void AppendDayLines(std::string& out, const char* tag, const DayList& days)
{
    if (days.empty())
        return;
    out += tag;
    int32 count = 0;
    for (size_t i = 0; i < days.size(); i++) {
        const ks_calday& day = *days[i];
        if (i > 0 && day.year != days[i - 1]->year) {
            out += '\n';
            out += tag;
        }
        out += '[';
        AppendPadded(out, DayText(day));
        out += ']';
        if (++count == 6 && i + 1 < days.size()) {
            out += '\n';
            out += tag;
            count = 0;
        }
    }
    out += '\n';
}

// The file's bytes; a missing file is empty. false when it exists but
// cannot be read, so an append never replaces what it could not see.
bool ReadOldBytes(const std::string& path, std::string& bytes)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return !error;
    if (std::filesystem::is_directory(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string chunk(1 << 16, '\0');
    while (in.read(chunk.data(), std::streamsize(chunk.size())) || in.gcount() > 0)
        bytes.append(chunk, 0, size_t(in.gcount()));
    return !in.bad();
}

} // namespace

Worker::Worker()
    : fs_point(str2CDay(nullptr)), w_nr(++Nr), w_std(0), w_week(NewWkoWeek()), multiuse(0),
      w_kost("-----------"), w_table{}, w_tablebase(DayTableBase())
{
    w_id = w_nr;
    char text[32];
    snprintf(text, sizeof(text), "new_%03d", int(w_nr + 1));
    w_name = text;
    snprintf(text, sizeof(text), "ali_%03d", int(w_nr + 1));
    w_alias = text;
    SetWochenStd();
}

Worker::~Worker()
{
    for (const DayList* list : {&u_days, &i_days}) {
        for (size_t i = 0; i < list->size(); i++) {
            if (!(*list)[i])
                printf("'Bad CDay%ld' \n", long(i));
        }
    }
    Nr--;
}

// "[IT][" name "][" alias "][" cost centre "][" id "][" multiuse "]"
static constexpr size_t kTextLineFrame = 5 + 2 + 2 + 2 + 11 + 2 + 4 + 1;
static_assert(kTextLineFrame + Worker::kNameMax + Worker::kAliasMax + Worker::kCostCentreMax ==
              kRecordLineMax);

size_t Worker::_TextLineLength() const
{
    return kTextLineFrame + w_name.size() + w_alias.size() + w_kost.size();
}

void Worker::_SetText(std::string& field, const std::string& text, size_t max)
{
    std::string value = RecordText(text, RecordRoom(max, _TextLineLength(), field.size()));
    if (value == field)
        return;
    field = std::move(value);
    ChangeMark::Workers().Note();
}

std::string Worker::DayNameText(const std::string& name)
{
    return RecordText(name, kDayNameMax);
}

void Worker::NewWName(const std::string& name)
{
    _SetText(w_name, name, kNameMax);
}

void Worker::NewWAlia(const std::string& alias)
{
    _SetText(w_alias, alias, kAliasMax);
}

void Worker::NewWKstl(const std::string& costCentre)
{
    _SetText(w_kost, costCentre, kCostCentreMax);
}

void Worker::TakeFileTexts(const std::optional<std::string>& name,
                           const std::optional<std::string>& alias,
                           const std::optional<std::string>& costCentre)
{
    if (name)
        _SetText(w_name, *name, kRecordLineMax);
    if (alias)
        _SetText(w_alias, *alias, kRecordLineMax);
    if (costCentre)
        _SetText(w_kost, *costCentre, kRecordLineMax);
}

void Worker::NewWWeek(std::unique_ptr<wkoweek> week)
{
    if (!week)
        return;
    for (daymark& day : week->day)
        day.dayname = DayNameText(day.dayname);
    w_week = std::move(week);
    SetWochenStd();
    ChangeMark::Workers().Note();
}

bool Worker::NewWDay(int32 weekday, TInt begin, TInt active, TInt pause)
{
    if (weekday < 0 || weekday > 6 || begin < 0 || active < 0 || pause < 0 || !w_week)
        return false;
    // SetETime would put a day past midnight back to a default one.
    const int64_t minutes = int64_t{begin / 100 + active / 100 + pause / 100} * 60 + begin % 100 +
                            active % 100 + pause % 100;
    if (minutes > 24 * 60)
        return false;
    daymark day = w_week->day[size_t(weekday)];
    day.begin = begin;
    day.worktime = active;
    day.pause = pause;
    SetETime(&day);
    daymark& stored = w_week->day[size_t(weekday)];
    if (day.begin == stored.begin && day.worktime == stored.worktime && day.pause == stored.pause)
        return true;
    stored = day;
    SetWochenStd();
    ChangeMark::Workers().Note();
    return true;
}

void Worker::NewWMultiuse(int8 value)
{
    if (value == multiuse)
        return;
    multiuse = value;
    ChangeMark::Workers().Note();
}

void Worker::SetWochenStd()
{
    w_std = SumAktWkoWeek(w_week.get());
}

void Worker::AllDaysTable()
{
    w_tablebase = DayTableBase();
    const int32 first = CDayIsWDay(&w_tablebase);
    char pattern[7];
    for (int32 i = 0; i < 7; i++) {
        const int32 d = (first + i) % 7;
        pattern[i] = GetTagesStdWD(d) <= 0 ? 'f' : char('0' + d);
    }
    for (int32 k = 0; k < kDayTableDays; k++)
        w_table[size_t(k)] = pattern[k % 7];
    w_table[kDayTableDays] = '\0';
    w_workdaysWeek = -1;
    STHolidays::getSTHolidays()->MarkHolidays(w_table, w_tablebase);
    MarkDays(w_table, w_tablebase, u_days, 'U');
    MarkDays(w_table, w_tablebase, i_days, 'I');
}

TInt Worker::GetTagesStdWD(int32 weekday)
{
    if (weekday < 0 || weekday > 6 || !w_week) {
        printf("ALERT: wtag='%c' \n", weekday);
        return 0;
    }
    return w_week->day[size_t(weekday)].worktime;
}

TInt Worker::GetTagesStdCD(const ks_calday* day)
{
    if (day == nullptr)
        return 0;
    return GetTagesStdWD(CDayIsWDay(day));
}

TInt Worker::GetTagesStdYD(int32 index, int32 verbose)
{
    if (index < 0) {
        if (verbose != 0)
            printf("n.a. ad-table ergo 8:00 std ");
        return 800;
    }
    if (index >= kDayTableDays)
        return 0;
    const char code = w_table[size_t(index)];
    if (verbose == 1) {
        switch (code) {
        case 'F':
            printf("HDY ");
            break;
        case 'I':
            printf("ILL ");
            break;
        case 'U':
            printf("ULB ");
            break;
        case 'f':
            printf("FDY ");
            break;
        default:
            if (code >= '0' && code <= '6')
                printf("%s", kDayKinds[code - '0']);
            else
                printf(" cara: %d %c  ", code, code);
        }
    } else if (verbose == 2) {
        printf("%c", code);
    }
    if (code >= '0' && code <= '6')
        return GetTagesStdWD(code - '0');
    return 0;
}

const std::vector<int32>& Worker::_WorkingDaysBefore()
{
    int32 week = 0;
    for (int32 d = 0; d < 7; d++)
        week |= (w_week && w_week->day[size_t(d)].worktime > 0 ? 1 : 0) << d;
    if (week != w_workdaysWeek || w_workdays.size() != size_t(kDayTableDays) + 1) {
        w_workdays.assign(size_t(kDayTableDays) + 1, 0);
        for (int32 i = 0; i < kDayTableDays; i++)
            w_workdays[size_t(i) + 1] = w_workdays[size_t(i)] + (GetTagesStdYD(i, 0) > 0 ? 1 : 0);
        w_workdaysWeek = week;
        w_baseSerial = CDaySerial(&w_tablebase);
    }
    return w_workdays;
}

int32 Worker::DiffDaysOverHours(const ks_calday* a, const ks_calday* b)
{
    if (a == nullptr || b == nullptr)
        return 0;
    return WorkingDaysBetween(CDaySerial(a), CDaySerial(b));
}

int32 Worker::WorkingDaysBetween(int64_t from, int64_t to)
{
    if (to < from)
        return 0;
    const std::vector<int32>& before = _WorkingDaysBefore();
    from -= w_baseSerial;
    to -= w_baseSerial;
    // Days before the table count as working days and days after it do
    // not; the table's own days are counted once per table, not per call.
    int64_t count = from < 0 ? std::min<int64_t>(to, 0) - from : 0;
    const int64_t first = std::clamp<int64_t>(from, 0, kDayTableDays);
    const int64_t last = std::clamp<int64_t>(to, 0, kDayTableDays);
    if (first < last)
        count += before[size_t(last)] - before[size_t(first)];
    return civil::ClampToInt32(count);
}

std::unique_ptr<ks_calday> Worker::ReadDay(std::string_view text)
{
    std::unique_ptr<ks_calday> day = str2CDay(text);
    ks_calday normal = *day;
    NextCDay(&normal); // stepping stores the normalised fields
    PrevCDay(&normal);
    if (CDay2str(&normal).size() != 10)
        return str2CDay(nullptr);
    *day = normal;
    return day;
}

int32 Worker::IsUrlaub(const char* day)
{
    return FindDay(u_days, day) != u_days.end() ? 1 : 0;
}

int32 Worker::IsKrank(const char* day)
{
    return FindDay(i_days, day) != i_days.end() ? 1 : 0;
}

int32 Worker::AddUDaysCheck(const char* text)
{
    // Checked and stored as the day it reads as, so a day cannot be in the
    // list twice under two spellings.
    std::unique_ptr<ks_calday> day = ReadDay(text != nullptr ? text : "");
    const std::string name = DayText(*day);
    if (GetTagesStdCD(day.get()) <= 0) {
        printf("%s :Ist FreiZeit\n", name.c_str());
        return 0;
    }
    if (IsUrlaub(name.c_str())) {
        printf("%s :Ist Urlaub\n", name.c_str());
        return 0;
    }
    if (IsKrank(name.c_str())) {
        printf("%s :Ist Krank..\n", name.c_str());
        return 0;
    }
    STHolidays* holidays = STHolidays::Existing();
    if (holidays != nullptr && holidays->IsHoliday(name.c_str())) {
        printf("%s :Ist Feiertag\n", name.c_str());
        return 0;
    }
    u_days.push_back(std::move(day));
    ChangeMark::Workers().Note();
    return 1;
}

int32 Worker::AddIDaysCheck(const char* text)
{
    std::unique_ptr<ks_calday> day = ReadDay(text != nullptr ? text : "");
    const std::string name = DayText(*day);
    if (GetTagesStdCD(day.get()) <= 0) {
        printf("%s :Ist FreiZeit\n", name.c_str());
        return 0;
    }
    if (IsUrlaub(name.c_str())) {
        printf("%s :Ist Urlaub(muss weg)\n", name.c_str());
        DelUday(name.c_str());
    }
    if (IsKrank(name.c_str())) {
        printf("%s :Ist Krank..\n", name.c_str());
        return 0;
    }
    STHolidays* holidays = STHolidays::Existing();
    if (holidays != nullptr && holidays->IsHoliday(name.c_str())) {
        printf("%s :Ist Feiertag\n", name.c_str());
        return 0;
    }
    i_days.push_back(std::move(day));
    ChangeMark::Workers().Note();
    return 1;
}

void Worker::AddUdays(BMessage* message)
{
    _AddRange(message, false);
}

void Worker::AddIdays(BMessage* message)
{
    _AddRange(message, true);
}

void Worker::_AddRange(BMessage* message, bool illness)
{
    if (message == nullptr)
        return;
    std::string firstText;
    std::string lastText;
    std::string kind = "no typ";
    if (message->FindString("udayA", &firstText) != B_OK ||
        message->FindString("udayB", &lastText) != B_OK)
        return;
    message->FindString("udayC", &kind);
    if (firstText == "nyl")
        return;
    printf("'%s' von: '%s' bis: '%s' \n", kind.c_str(), firstText.c_str(), lastText.c_str());

    std::unique_ptr<ks_calday> first = str2CDay(firstText);
    std::unique_ptr<ks_calday> last = str2CDay(lastText);
    if (DiffDays(last.get(), first.get()) < 1)
        std::swap(first, last);

    int32 added = 0;
    ks_calday day = *first;
    for (int32 walked = 0; walked <= kMaxRangeWalk; walked++) {
        const std::string text = DayText(day);
        added += illness ? AddIDaysCheck(text.c_str()) : AddUDaysCheck(text.c_str());
        if (added >= kMaxRangeDays) {
            printf("NOTBREMSE geschafft\n");
            break;
        }
        if (DiffDays(last.get(), &day) <= 0)
            break;
        NextCDay(&day);
    }
    if (added == 0)
        return;
    if (!illness)
        SortUdays();
    AllDaysTable();
    if (STOrder* orders = STOrder::Existing())
        orders->CheckAllOrders();
    snooze(100000);
    PostToApp('WBRA');
}

void Worker::DelUday(const char* day)
{
    auto found = FindDay(u_days, day);
    if (found != u_days.end()) {
        u_days.erase(found);
        ChangeMark::Workers().Note();
        printf("DelUday %s\n", day);
    }
    SortUdays();
    AllDaysTable();
}

void Worker::DelIday(const char* day)
{
    auto found = FindDay(i_days, day);
    if (found != i_days.end()) {
        i_days.erase(found);
        ChangeMark::Workers().Note();
    }
    AllDaysTable();
}

void Worker::SortUdays()
{
    // The same order as the date keys of the texts, without their limits
    // for years outside four digits.
    std::stable_sort(u_days.begin(), u_days.end(),
                     [](const std::unique_ptr<ks_calday>& a, const std::unique_ptr<ks_calday>& b) {
                         return std::tie(a->year, a->month, a->day) <
                                std::tie(b->year, b->month, b->day);
                     });
}

bool Worker::HasOpenJobs()
{
    STOrder* orders = STOrder::Existing();
    if (orders == nullptr)
        return false;
    const int32 last = orders->GetOMax();
    for (int32 i = 0; i <= last; i++) {
        Order* order = orders->GetOrder(i);
        if (order == nullptr)
            continue;
        for (const std::unique_ptr<ProzBalken>& job : order->jobs) {
            if (job && job->j_id == w_id)
                return true;
        }
    }
    return false;
}

void Worker::TravelDaysForward(const ks_calday* start, int32 hours)
{
    if (start == nullptr)
        return;
    int32 n = CDayIsYDay(start);
    int32 d = CDayIsWDay(start);
    if (start->hours == 0) {
        printf("jump 1 day up : 0 hours from this day");
        n++;
        d = (d + 1) % 7;
    } else {
        printf(" %ld hours from this day", long(start->hours));
    }
    TInt rest = hours;
    int32 i = 0;
    // Beyond the table every day has 0 hours and rest would never shrink.
    while (rest > 0 && n < kDayTableDays) {
        TInt h = GetTagesStdYD(n, 2);
        if (i < 1) {
            if (h == 0) {
                i--;
                printf("- ");
            }
            if (i < 1) {
                if (h != 0) {
                    h = start->hours;
                    printf(" <! \n");
                }
                if (h < start->hours) {
                    rest = Add2TInt(rest, Dec2TInt(start->hours, h));
                    printf(" oops! \n");
                }
            }
        }
        rest = Dec2TInt(rest, h);
        printf("%s = %d Std ", w_name.c_str(), int(h));
        printf("{Rest:%ld} am ", long(rest));
        YeardayIsDatum(n, start->year, nullptr);
        n++;
        d = (d + 1) % 7;
        i++;
    }
}

void Worker::PrintToStream()
{
    printf("{%d} ID%ld [%s][%s][%s][%10s]\n", int(w_nr), long(w_id), w_name.c_str(),
           w_alias.c_str(), w_kost.c_str(), CDay2str(fs_point.get()).c_str());
    WPrintToStream(w_week.get());
}

// Texts are copied byte for byte, so whatever was read is written back.
static void AppendWeek(std::string& out, const wkoweek& week)
{
    for (const daymark& day : week.day) {
        out += "[WD][" + day.dayname + "][" + TInt2str(day.begin) + "][" + TInt2str(day.worktime) +
               "][" + TInt2str(day.pause) + "]\n";
    }
}

void Worker::SaveAsASC(std::string& out)
{
    SortUdays();
    out += "; --\n";
    out += "[IT][" + w_name + "][" + w_alias + "][" + w_kost + "][" + std::to_string(w_id) + "][" +
           std::to_string(int(multiuse)) + "]\n";
    if (w_week)
        AppendWeek(out, *w_week);
    AppendDayLines(out, "[UD]", u_days);
    AppendDayLines(out, "[IL]", i_days);
    out += "; --";
}

int32 Worker::SaveAsTempl(const char* path)
{
    if (path == nullptr)
        return 1;
    std::string bytes;
    bool ok = ReadOldBytes(path, bytes);
    if (ok) {
        bytes += "; --\n[IT][Template][XXXX][XXXX][0][0]\n";
        if (w_week)
            AppendWeek(bytes, *w_week);
        bytes += "; ---";
        ok = SaveWholeFile(path, bytes);
    }
    if (!ok) {
        printf("'%s' OpenError!\n", path);
        return 1;
    }
    PostToApp('W+TE');
    return 0;
}

void Worker::DrawUdaysInView(BView* view, float x0, int32 days, float)
{
    if (view == nullptr || days <= 0)
        return;
    const BRect bounds = view->Bounds();
    const float w = (bounds.Width() - x0) / float(days);
    const std::pair<char, int32> marks[] = {{'U', uc_HOL}, {'I', uc_ILL}};
    for (const auto& [code, slot] : marks) {
        view->SetHighColor(AskColor(slot));
        view->SetDrawingMode(B_OP_BLEND);
        for (int32 k = 0; k < kDayTableDays; k++) {
            if (w_table[size_t(k)] != code)
                continue;
            view->FillRect(BRect(x0 + w * float(k), 0, x0 + w * float(k + 1) - 1, bounds.bottom));
            if (k > days)
                break;
        }
        view->SetDrawingMode(B_OP_COPY);
    }
}
