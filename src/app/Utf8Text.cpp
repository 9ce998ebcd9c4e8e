#include "app/Utf8Text.h"

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// How many bytes the character that starts with lead has; 1 for a byte
// that starts none.
size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

size_t Utf8CutLength(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    // A character has at most three continuation bytes: look back no
    // further, so that a run of stray ones is cut like any other bytes.
    for (size_t back = 0; back < 4 && back <= maxBytes; back++) {
        const size_t at = maxBytes - back;
        const auto byte = static_cast<unsigned char>(text[at]);
        if (IsContinuation(byte))
            continue;
        // The character starting at 'at' would cross the cut: drop it whole.
        if (at + SequenceLength(byte) > maxBytes)
            return at;
        return maxBytes;
    }
    return maxBytes;
}

std::string Utf8Cut(std::string_view text, size_t maxBytes)
{
    return std::string(text.substr(0, Utf8CutLength(text, maxBytes)));
}
