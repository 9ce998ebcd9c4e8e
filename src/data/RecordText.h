// Texts as the bracket-record files can hold them, and the room a text has
// in its record line. Every setter of a text that a record line writes
// keeps its text through these, so what a record holds is what its line
// reads back as.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "data/RecordLineReader.h"

// A record line is read whole up to this many bytes, without its line end.
inline constexpr size_t kRecordLineMax = RecordLineReader::kMaxLineLength;
// Day texts are written right-aligned in ten characters; a hand-edited one
// keeps at most this many.
inline constexpr size_t kDayTextMax = 11;

// The text as a field or link can hold it: '[' becomes '(' and ']' becomes
// ')' (a ']' would end the field, a '[' could form a record tag such as
// "[IT]" with the field's own ']'), control characters (line breaks above
// all) become blanks, and a text that is exactly a tag's name ("IT", "PB",
// "LN") gets a blank after it, since between its field's brackets it would
// read as that tag. Then at most maxBytes bytes, never cutting a UTF-8
// character.
std::string RecordText(std::string_view text, size_t maxBytes);

// A day text as the files write it: RecordText of at most kDayTextMax (and
// maxBytes) bytes, right-aligned in ten characters ("%10s").
std::string RecordDayText(std::string_view text, size_t maxBytes);

// The bytes a field may take: at most ownMax, and no more than its record
// line leaves it when the line is lineLength bytes long now, ownWidth of
// them the field's.
size_t RecordRoom(size_t ownMax, size_t lineLength, size_t ownWidth);

// The width "%10s" gives a text.
inline size_t DayTextWidth(const std::string& text)
{
    return text.size() < 10 ? 10 : text.size();
}
