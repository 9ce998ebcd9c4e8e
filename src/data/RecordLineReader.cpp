#include "data/RecordLineReader.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr size_t kFirstFieldColumn = 5; // after "[XX]["

} // namespace

namespace {

uint16_t pair_code(char first, char second)
{
    return uint16_t(uint8_t(first) << 8 | uint8_t(second));
}

} // namespace

const std::vector<uint16_t>& RecordLine::_BracketPairs() const
{
    if (!fPaired) {
        for (size_t at = fText.find('['); at != std::string::npos && at + 3 < fText.size();
             at = fText.find('[', at + 1)) {
            if (fText[at + 3] == ']')
                fPairs.push_back(pair_code(fText[at + 1], fText[at + 2]));
        }
        fPaired = true;
    }
    return fPairs;
}

bool RecordLine::HasTag(const char* tag) const
{
    if (tag == nullptr)
        return false;
    // The record tags ("[IT]") are looked up among the line's bracket
    // pairs, found once; any other text is searched for.
    if (tag[0] == '[' && tag[1] != '\0' && tag[2] != '\0' && tag[3] == ']' && tag[4] == '\0') {
        const std::vector<uint16_t>& pairs = _BracketPairs();
        return std::find(pairs.begin(), pairs.end(), pair_code(tag[1], tag[2])) != pairs.end();
    }
    return fText.find(tag) != std::string::npos;
}

void RecordLine::_Reset(std::string_view text)
{
    fText.assign(text);
    fSpans.clear();
    fPairs.clear();
    fScanned = false;
    fPaired = false;
}

const std::vector<RecordLine::Span>& RecordLine::_Spans() const
{
    if (!fScanned) {
        // Field 1 begins at column 5, each further one two characters after
        // the previous ']'; find() from past the end gives npos, so short
        // lines need no own test.
        for (size_t begin = kFirstFieldColumn;;) {
            const size_t end = fText.find(']', begin);
            if (end == std::string::npos)
                break;
            fSpans.push_back({begin, end});
            begin = end + 2;
        }
        fScanned = true;
    }
    return fSpans;
}

std::optional<std::string> RecordLine::Field(int number) const
{
    const std::vector<Span>& spans = _Spans();
    if (number < 1 || size_t(number) > spans.size())
        return std::nullopt;
    const Span& span = spans[size_t(number) - 1];
    return fText.substr(span.begin, span.end - span.begin);
}

std::vector<std::string> RecordLine::Fields() const
{
    std::vector<std::string> fields;
    for (const Span& span : _Spans())
        fields.push_back(fText.substr(span.begin, span.end - span.begin));
    return fields;
}

std::optional<std::string> RecordLine::Rest(int number) const
{
    if (number < 0)
        return std::nullopt;
    size_t rest = kFirstFieldColumn;
    if (number > 0) {
        const std::vector<Span>& spans = _Spans();
        if (size_t(number) > spans.size())
            return std::nullopt;
        rest = spans[size_t(number) - 1].end + 2;
    }
    return rest < fText.size() ? fText.substr(rest) : std::string();
}

std::optional<RecordLineReader> RecordLineReader::Open(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    // read() turns a read error (a folder opens, then fails) into badbit;
    // iterating the stream buffer would throw instead.
    std::string buffer;
    std::string chunk(1 << 16, '\0');
    while (file.read(chunk.data(), std::streamsize(chunk.size())) || file.gcount() > 0)
        buffer.append(chunk, 0, size_t(file.gcount()));
    if (file.bad())
        return std::nullopt;
    return RecordLineReader(std::move(buffer));
}

bool RecordLineReader::Next(RecordLine& line)
{
    if (fPos >= fBuffer.size())
        return false;
    const size_t eol = fBuffer.find('\n', fPos);
    const size_t lineEnd = eol == std::string::npos ? fBuffer.size() : eol;
    size_t contentEnd = lineEnd;
    // Files written on other systems end lines with "\r\n"; the '\r' would
    // otherwise end up in the last field's trailing text.
    if (contentEnd > fPos && fBuffer[contentEnd - 1] == '\r')
        --contentEnd;
    const size_t length = std::min(contentEnd - fPos, kMaxLineLength);
    line._Reset(std::string_view(fBuffer).substr(fPos, length));
    if (fPos + length < contentEnd)
        fPos += length; // the rest of a long line is read as further lines
    else
        fPos = lineEnd + 1;
    return true;
}

std::vector<RecordLine> RecordLineReader::ReadAll()
{
    std::vector<RecordLine> lines;
    RecordLine line;
    while (Next(line))
        lines.push_back(std::move(line));
    return lines;
}
