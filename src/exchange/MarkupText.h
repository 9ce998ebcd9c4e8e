// The program's texts inside HTML and XML: the characters that markup reads
// as its own are written as references, and read back.
#pragma once

#include <string>
#include <string_view>

// The most bytes EscapeMarkup makes of one byte ("&quot;").
inline constexpr size_t kEscapedByteMax = 6;

// '&', '<', '>', '"' and '\'' as "&amp;", "&lt;", "&gt;", "&quot;" and
// "&#39;"; every other byte, UTF-8 sequences included, as it is. Safe in
// element text and in quoted attribute values, in HTML and in XML.
std::string EscapeMarkup(std::string_view text);

// The five entities ("&amp;", "&lt;", "&gt;", "&quot;", "&apos;") and
// numeric references ("&#39;", "&#x27;") back to their characters, the
// latter as UTF-8. Anything else stays as it is: a lone '&', an unknown
// name, a reference without its ';' or to no character of XML. So a text
// written unescaped by an older export reads as it always did, unless it
// happens to hold one of these references itself.
std::string UnescapeMarkup(std::string_view text);
