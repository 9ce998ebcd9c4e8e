#include "data/RecordText.h"

#include <algorithm>

#include "app/Utf8Text.h"

namespace {

// The tags that a reader finds anywhere in a line, beside the line's own.
bool IsTagName(std::string_view text)
{
    return text == "IT" || text == "PB" || text == "LN";
}

} // namespace

std::string RecordText(std::string_view text, size_t maxBytes)
{
    std::string safe = Utf8Cut(text, maxBytes);
    for (char& c : safe) {
        if (c == '[')
            c = '(';
        else if (c == ']')
            c = ')';
        else if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    }
    if (IsTagName(safe)) {
        if (safe.size() < maxBytes)
            safe += ' ';
        else
            safe.pop_back();
    }
    return safe;
}

std::string RecordDayText(std::string_view text, size_t maxBytes)
{
    const std::string day = RecordText(text, std::min(maxBytes, kDayTextMax));
    return std::string(day.size() < 10 ? 10 - day.size() : 0, ' ') + day;
}

size_t RecordRoom(size_t ownMax, size_t lineLength, size_t ownWidth)
{
    const size_t others = lineLength - std::min(ownWidth, lineLength);
    const size_t left = others < kRecordLineMax ? kRecordLineMax - others : 0;
    return std::min(ownMax, left);
}
