// Cutting texts to a number of bytes without splitting a UTF-8 character,
// for the files that hold texts in fields of limited size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length of the longest prefix of text that has at most maxBytes bytes
// and does not end inside a UTF-8 character. Bytes that are no valid
// character (stray continuation bytes, Latin-1) are single units.
size_t Utf8CutLength(std::string_view text, size_t maxBytes);

// That prefix.
std::string Utf8Cut(std::string_view text, size_t maxBytes);
