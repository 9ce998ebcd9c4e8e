#include "exchange/MarkupText.h"

#include <cstdint>
#include <optional>

namespace {

struct Entity
{
    std::string_view name; // between '&' and ';'
    char character;
};

constexpr Entity kEntities[] = {
    {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''},
};

// Far beyond any character: longer digit runs are no reference.
constexpr size_t kDigitsMax = 8;

bool IsXmlCharacter(uint32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The character that "#..." (the reference without '&' and ';') names.
std::optional<uint32_t> NumericReference(std::string_view body)
{
    if (body.size() < 2 || body[0] != '#')
        return std::nullopt;
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > kDigitsMax)
        return std::nullopt;
    uint32_t code = 0;
    for (char c : digits) {
        const int digit = DigitValue(c, hex);
        if (digit < 0)
            return std::nullopt;
        code = code * (hex ? 16 : 10) + uint32_t(digit);
    }
    if (!IsXmlCharacter(code))
        return std::nullopt;
    return code;
}

} // namespace

std::string EscapeMarkup(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string UnescapeMarkup(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const size_t amp = text.find('&', at);
        out.append(text.substr(at, amp == text.npos ? text.npos : amp - at));
        if (amp == text.npos)
            break;
        // The longest reference we read is "&#x" and eight digits and ';'.
        const size_t semicolon = text.substr(amp, 2 + 1 + kDigitsMax + 1).find(';');
        bool read = false;
        if (semicolon != text.npos) {
            const std::string_view body = text.substr(amp + 1, semicolon - 1);
            for (const Entity& entity : kEntities) {
                if (body == entity.name) {
                    out += entity.character;
                    read = true;
                }
            }
            if (std::optional<uint32_t> code = NumericReference(body)) {
                AppendUtf8(out, *code);
                read = true;
            }
        }
        if (read) {
            at = amp + semicolon + 1;
        } else {
            out += '&';
            at = amp + 1;
        }
    }
    return out;
}
