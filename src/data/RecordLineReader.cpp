#include "data/RecordLineReader.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr size_t kFirstFieldColumn = 5; // after "[XX]["

} // namespace

bool RecordLine::HasTag(const char* tag) const
{
    if (tag == nullptr)
        return false;
    return fText.find(tag) != std::string::npos;
}

template <typename Visit>
void RecordLine::_Walk(Visit visit) const
{
    size_t begin = kFirstFieldColumn;
    // find() from past the end gives npos, so short lines need no own test.
    for (;;) {
        const size_t end = fText.find(']', begin);
        if (end == std::string::npos || !visit(begin, end))
            return;
        begin = end + 2;
    }
}

std::optional<std::string> RecordLine::Field(int number) const
{
    if (number < 1)
        return std::nullopt;
    std::optional<std::string> found;
    int current = 0;
    _Walk([&](size_t begin, size_t end) {
        if (++current < number)
            return true;
        found = fText.substr(begin, end - begin);
        return false;
    });
    return found;
}

std::vector<std::string> RecordLine::Fields() const
{
    std::vector<std::string> fields;
    _Walk([&](size_t begin, size_t end) {
        fields.push_back(fText.substr(begin, end - begin));
        return true;
    });
    return fields;
}

std::optional<std::string> RecordLine::Rest(int number) const
{
    if (number < 0)
        return std::nullopt;
    size_t rest = kFirstFieldColumn;
    if (number > 0) {
        bool found = false;
        int current = 0;
        _Walk([&](size_t, size_t end) {
            if (++current < number)
                return true;
            rest = end + 2;
            found = true;
            return false;
        });
        if (!found)
            return std::nullopt;
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
    line = RecordLine(fBuffer.substr(fPos, length));
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
