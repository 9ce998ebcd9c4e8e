#include "data/Holiday.h"

#include <cstdio>

#include "calendar/CalDay.h"
#include "data/RecordText.h"

std::atomic<int32> Holiday::Nr{0};

Holiday::Holiday() : id(++Nr), name("--no-name--")
{
    std::unique_ptr<ks_calday> today = str2CDay(nullptr);
    date = CDay2str(today.get());
}

Holiday::~Holiday()
{
    Nr--;
}

static_assert(8 + Holiday::kDateMax + Holiday::kNameMax == kRecordLineMax);
static_assert(Holiday::kDateMax == kDayTextMax);

size_t Holiday::_LineLength() const
{
    return 8 + DayTextWidth(date) + name.size();
}

void Holiday::NewName(const std::string& newName)
{
    name = RecordText(newName, RecordRoom(kNameMax, _LineLength(), name.size()));
}

void Holiday::TakeFileName(const std::string& newName)
{
    name = RecordText(newName, RecordRoom(kRecordLineMax, _LineLength(), name.size()));
}

void Holiday::NewDate(const std::string& newDate)
{
    // A hand-edited file may hold anything here; the rest of a longer field
    // is dropped rather than the whole line.
    date = RecordDayText(newDate, RecordRoom(kDateMax, _LineLength(), DayTextWidth(date)));
}

void Holiday::PrintToStream() const
{
    printf("[%3ld][%10s][%s]\n", long(id), date.c_str(), name.c_str());
}

void Holiday::PrintToFile(std::string& out) const
{
    out += "[HD][";
    if (date.size() < 10)
        out.append(10 - date.size(), ' ');
    out += date;
    out += "][";
    out += name;
    out += "]\n";
}
