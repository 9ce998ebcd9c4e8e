#include "data/DayTable.h"

#include <string>

ks_calday DayTableBase()
{
    std::unique_ptr<ks_calday> today = str2CDay(nullptr);
    ks_calday base = *today;
    base.day = 1;
    base.hours = 0;
    return base;
}

int64_t DateSortKey(std::string_view day)
{
    std::string text(day);
    if (text.size() > 4)
        text[4] = '0';
    if (text.size() > 7)
        text[7] = '0';
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; i++) {
        if (value > (INT64_MAX - 9) / 10)
            break; // saturate rather than overflow on hand-edited files
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}
