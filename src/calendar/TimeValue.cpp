#include "calendar/TimeValue.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "calendar/CivilDays.h"

namespace {

// Long arithmetic can exceed a TInt; saturate instead of wrapping.
TInt Compose(int64_t hours, int64_t minutes)
{
    constexpr int64_t kMaxHours = INT32_MAX / 100 + 1;
    if (hours > kMaxHours)
        hours = kMaxHours;
    if (hours < -kMaxHours)
        hours = -kMaxHours;
    return civil::ClampToInt32(hours * 100 + minutes);
}

// -(hours:minutes), saturating at the lowest TInt rather than one above it,
// so that every value TInt2str writes reads back as itself.
TInt ComposeNegative(int64_t hours, int64_t minutes)
{
    constexpr int64_t kMaxHours = INT32_MAX / 100 + 1;
    if (hours > kMaxHours)
        hours = kMaxHours;
    if (hours < -kMaxHours)
        hours = -kMaxHours;
    return civil::ClampToInt32(-(hours * 100 + minutes));
}

int64_t ToMinutes(int64_t t)
{
    return t / 100 * 60 + t % 100;
}

TInt FromMinutes(int64_t minutes)
{
    const int64_t magnitude = minutes < 0 ? -minutes : minutes;
    const TInt value = Compose(magnitude / 60, magnitude % 60);
    return minutes < 0 ? -value : value;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

} // namespace

std::string TInt2str(long t)
{
    const unsigned long magnitude = t < 0 ? 0UL - static_cast<unsigned long>(t) : t;
    char buffer[48];
    snprintf(buffer, sizeof(buffer), "%s%lu:%02lu", t < 0 ? "-" : "", magnitude / 100,
             magnitude % 100);
    return buffer;
}

TInt str2Tint(const char* text)
{
    if (text == nullptr || *text == '\0')
        return 0;
    const char* separator = strchr(text, ':');
    if (separator == nullptr)
        separator = strchr(text, '.');
    if (separator == nullptr)
        separator = strchr(text, '/');

    const int64_t hours = civil::ClampToInt32(strtol(text, nullptr, 10));
    if (separator == nullptr)
        return Compose(hours, 0);

    char minuteText[3] = {};
    strncpy(minuteText, separator + 1, 2);
    const int64_t minutes = strtol(minuteText, nullptr, 10);

    // "-1:30" is minus one hour thirty (-130), the form negative
    // differences are held in, not -100 + 30.
    const char* first = text;
    while (isspace(static_cast<unsigned char>(*first)))
        first++;
    if (*first == '-')
        return ComposeNegative(-hours, minutes);
    return Compose(hours, minutes);
}

TInt str2Tint(const std::string& text)
{
    return str2Tint(text.c_str());
}

// Summed in minutes: for values of zero or more this is the hour sum with
// minute carry; a negative difference added back also comes out right.
TInt Add2TInt(long a, long b)
{
    return FromMinutes(ToMinutes(civil::ClampToInt32(a)) + ToMinutes(civil::ClampToInt32(b)));
}

TInt Dec2TInt(long a, long b)
{
    if (b == 0)
        return civil::ClampToInt32(a);
    return FromMinutes(ToMinutes(civil::ClampToInt32(a)) - ToMinutes(civil::ClampToInt32(b)));
}

float TInt2float(long t)
{
    return static_cast<float>(static_cast<double>(t / 100) + static_cast<double>(t % 100) * 0.0166);
}

std::unique_ptr<daymark> NewDayMark(const char* name, int begin, int worktime, int pause, int end)
{
    if (name == nullptr)
        return nullptr;
    size_t length = strnlen(name, kDayNameMax + 1);
    if (length > kDayNameMax) {
        length = kDayNameMax;
        // Never cut a UTF-8 sequence in half: back up to its lead byte.
        while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
            length--;
    }
    auto day = std::make_unique<daymark>();
    day->begin = begin;
    day->worktime = worktime;
    day->pause = pause;
    day->end = end;
    day->dayname.assign(name, length);
    return day;
}

std::unique_ptr<wkoweek> NewWkoWeek()
{
    std::unique_ptr<wkoweek> week(new (std::nothrow) wkoweek);
    if (!week) {
        printf("NewWkoWeek BAD!\n");
        return nullptr;
    }
    static const char* const kNames[7] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    for (size_t i = 0; i < week->day.size(); i++) {
        const bool workday = i < 5;
        week->day[i] = daymark{700, workday ? 800 : 0, 45, workday ? 1545 : 0, kNames[i]};
    }
    return week;
}

void DeleteWkoWeek(std::unique_ptr<wkoweek>& week)
{
    week.reset();
}

TInt SumAktWkoWeek(const wkoweek* week)
{
    if (week == nullptr) {
        printf("BAD wkoweek\n");
        return 0;
    }
    int64_t hours = 0;
    int64_t minutes = 0;
    for (const daymark& day : week->day) {
        hours += day.worktime / 100;
        minutes += day.worktime % 100;
        while (minutes > 59) {
            minutes -= 60;
            hours++;
        }
    }
    return Compose(hours, minutes);
}

void SetETime(daymark* day)
{
    if (day == nullptr)
        return;
    int64_t hours = int64_t{day->begin} / 100 + day->worktime / 100 + day->pause / 100;
    int64_t minutes = int64_t{day->begin} % 100 + day->worktime % 100 + day->pause % 100;
    while (minutes > 59) {
        minutes -= 60;
        hours++;
    }
    const int64_t end = hours * 100 + minutes;
    if (end > 2400) {
        // Deliberately 1600, not the 1610 the three reset values add up to.
        day->begin = 700;
        day->worktime = 825;
        day->pause = 45;
        day->end = 1600;
        return;
    }
    day->end = civil::ClampToInt32(end);
}

void WPrintToStream(const wkoweek* week)
{
    if (week == nullptr) {
        printf("Bad wkoweek!\n");
        return;
    }
    for (const daymark& day : week->day)
        printf("[%10s|%4d|%4d|%4d|%4d]\n", day.dayname.c_str(), day.begin, day.worktime, day.pause,
               day.end);
    printf(" Summe AktStd.:'%s'\n", TInt2str(SumAktWkoWeek(week)).c_str());
}

// Built from the code's bytes: going through "%lX" and digit pairs would
// misalign every code whose first byte is below 0x10.
std::string long2asc(unsigned long code)
{
    std::string text(4, '\0');
    for (int i = 0; i < 4; i++)
        text[i] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
    return text;
}

int hex2int(const char* text)
{
    if (text == nullptr)
        return 0;
    if (*text == '$')
        text++;
    if (text[0] == '\0')
        return 0;
    return HexDigit(text[0]) * 16 + HexDigit(text[1]);
}
