// Day tables: one character per day for 732 days from the first day of the
// current month, kept by the holiday list and by every worker. Also the
// numeric key by which day texts are sorted.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "calendar/CalDay.h"

inline constexpr int32_t kDayTableDays = 732;

// The characters plus a terminating zero, so the table is also a C text.
using DayTable = std::array<char, kDayTableDays + 1>;

// Today with the day of month set to 1 (from the program's clock).
ks_calday DayTableBase();

// "2002/12/25" -> 2002012025: the text with its characters 4 and 7 replaced
// by '0', read as a leading decimal number (strtol rules; 0 when none).
int64_t DateSortKey(std::string_view day);
