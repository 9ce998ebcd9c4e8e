// Time values (hours * 100 + minutes in one integer), the working week, and
// the text form of four-character command codes for diagnostics.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

typedef int32_t TInt; // 1545 is 15:45; minus 1:30 is -130

// "%ld:%02ld"; a negative value gets one leading minus: -130 is "-1:30".
std::string TInt2str(long t);
// "h:mm", "h.mm", "h/mm" (at most two minute digits) or whole hours; a
// leading minus negates the whole value. Null or empty is 0.
TInt str2Tint(const char* text);
TInt str2Tint(const std::string& text);
TInt Add2TInt(long a, long b); // a + b, minutes carried at 60
TInt Dec2TInt(long a, long b); // a - b exact in minutes; b == 0 gives a
float TInt2float(long t);      // minutes weighted 0.0166, not 1/60

struct daymark
{
    TInt begin;
    TInt worktime; // 0: no work on that weekday
    TInt pause;
    TInt end; // begin + worktime + pause, kept by SetETime
    std::string dayname;
};

constexpr size_t kDayNameMax = 11;

struct wkoweek
{
    std::array<daymark, 7> day; // 0 = Monday, as CDayIsWDay counts
};

// Copies at most kDayNameMax bytes of name; null name gives null.
std::unique_ptr<daymark> NewDayMark(const char* name, int begin, int worktime, int pause, int end);
std::unique_ptr<wkoweek> NewWkoWeek(); // the default week, 40:00
void DeleteWkoWeek(std::unique_ptr<wkoweek>& week);
TInt SumAktWkoWeek(const wkoweek* week);
// Recomputes end; a day ending after 24:00 is reset to 7:00/8:25/0:45/16:00.
void SetETime(daymark* day);
void WPrintToStream(const wkoweek* week);

// The four bytes of a command code, most significant first ('WADD' -> "WADD").
std::string long2asc(unsigned long code);
// 0..255 from two upper-case hex digits after an optional '$'; anything else
// (lower case included) counts as 0.
int hex2int(const char* text);
