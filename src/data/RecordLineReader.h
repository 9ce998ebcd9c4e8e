// The one reader of the bracket-record lines that the holiday, worker, order
// and template files share: "[HD][2002/12/25][Weihnachten]", with comment
// lines starting with ';'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One line as the readers see it; any bytes, never read out of bounds.
class RecordLine
{
public:
    RecordLine() = default;
    explicit RecordLine(std::string text) : fText(std::move(text)) {}

    const std::string& Text() const { return fText; }

    // The first character is ';' (a comment is skipped whole, tags and all).
    bool IsComment() const { return !fText.empty() && fText[0] == ';'; }

    // The tag text occurs anywhere in the line, as the readers look for it.
    // A null tag is never found.
    bool HasTag(const char* tag) const;

    // Field number (counted from 1, as the file descriptions count them):
    // field 1 begins at column 5, each further field two characters after
    // the previous ']', each ends at the next ']'. Not trimmed. Missing when
    // its ']' is missing, and then so are all later fields.
    std::optional<std::string> Field(int number) const;

    // The fields that could be read, in order; element 0 is field 1.
    std::vector<std::string> Fields() const;

    // The text where field number + 1 would begin (two characters past field
    // number's ']'; Rest(0) is from column 5); empty when the line ends
    // before that, missing when field number is.
    std::optional<std::string> Rest(int number) const;

private:
    friend class RecordLineReader;

    // Takes another line's text, keeping the memory of the last one.
    void _Reset(std::string_view text);

    struct Span
    {
        size_t begin, end;
    };

    // Where the fields lie, found on first use: the readers ask a line for
    // several fields and tags.
    const std::vector<Span>& _Spans() const;
    const std::vector<uint16_t>& _BracketPairs() const;

    std::string fText;
    mutable std::vector<Span> fSpans;
    mutable std::vector<uint16_t> fPairs; // "XX" of every "[XX]" in the line
    mutable bool fScanned = false;
    mutable bool fPaired = false;
};

// Cuts a file or a buffer into lines: split at '\n', one trailing '\r'
// dropped, pieces of at most kMaxLineLength characters each taken as a line
// of their own, the last line taken with or without a line end. Comment
// lines are returned too; the caller skips them.
class RecordLineReader
{
public:
    static constexpr size_t kMaxLineLength = 253;

    explicit RecordLineReader(std::string buffer) : fBuffer(std::move(buffer)) {}

    // The whole file; nothing when it cannot be opened or read.
    static std::optional<RecordLineReader> Open(const std::string& path);

    // The next line into line; false at the end.
    bool Next(RecordLine& line);

    // Every line that Next would give.
    std::vector<RecordLine> ReadAll();

private:
    std::string fBuffer;
    size_t fPos = 0;
};
