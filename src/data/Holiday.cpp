#include "data/Holiday.h"

#include <cstdio>

#include "calendar/CalDay.h"

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

void Holiday::NewName(const std::string& newName)
{
    name = newName;
}

void Holiday::NewDate(const std::string& newDate)
{
    // A hand-edited file may hold anything here; the rest of a longer field
    // is dropped rather than the whole line.
    date = newDate.substr(0, kDateMax);
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
