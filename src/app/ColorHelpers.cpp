#include "app/ColorHelpers.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "kit/app/EntryRef.h"
#include "kit/app/Message.h"
#include "kit/app/TypeConstants.h"
#include "kit/storage/Node.h"

namespace {

constexpr const char* kColorData = "RGBColor";
constexpr const char* kColorAttribute = "RGBCOLOR";
constexpr ssize_t kColorSize = 4;

rgb_color color_from_bytes(const void* bytes)
{
    rgb_color color;
    std::memcpy(&color, bytes, sizeof(color));
    return color;
}

uint8 half_way(uint8 a, uint8 b)
{
    uint8 low = std::min(a, b);
    uint8 high = std::max(a, b);
    return static_cast<uint8>(low + (high - low) / 2);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

static_assert(sizeof(rgb_color) == kColorSize);

rgb_color HasMsgColor(const BMessage* message, rgb_color fallback)
{
    if (message == nullptr)
        return fallback;

    const void* data = nullptr;
    ssize_t size = 0;
    // A colour shorter than four bytes is not one; never read past it.
    if (message->FindData(kColorData, B_RGB_COLOR_TYPE, &data, &size) == B_OK &&
        size >= kColorSize && data != nullptr)
        return color_from_bytes(data);

    entry_ref ref;
    if (message->FindRef("refs", &ref) != B_OK)
        return fallback;
    // Opening a dropped pipe or device would block the window.
    std::error_code error;
    auto kind = std::filesystem::status(ref.path, error).type();
    if (kind != std::filesystem::file_type::regular &&
        kind != std::filesystem::file_type::directory)
        return fallback;
    BNode node(&ref);
    if (node.InitCheck() != B_OK)
        return fallback;
    uint8 bytes[kColorSize];
    if (node.ReadAttr(kColorAttribute, B_RGB_COLOR_TYPE, 0, bytes, sizeof(bytes)) == kColorSize)
        return color_from_bytes(bytes);
    return fallback;
}

std::string rgb2str(rgb_color color)
{
    char text[8];
    snprintf(text, sizeof(text), "%02X%02X%02X", color.red, color.green, color.blue);
    return text;
}

bool str2rgb(std::string_view text, rgb_color* color)
{
    constexpr std::string_view blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos || color == nullptr)
        return false;
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    if (text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != 6)
        return false;
    uint8 channels[3];
    for (int i = 0; i < 3; i++) {
        int high = hex_digit(text[2 * i]);
        int low = hex_digit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        channels[i] = static_cast<uint8>(high * 16 + low);
    }
    color->red = channels[0];
    color->green = channels[1];
    color->blue = channels[2];
    return true;
}

void ColorSet(rgb_color* color, uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
    if (color != nullptr)
        *color = {red, green, blue, alpha};
}

void ColorBetween(const rgb_color* a, const rgb_color* b, rgb_color* result)
{
    if (a == nullptr || b == nullptr || result == nullptr)
        return;
    // a or b may be result itself.
    rgb_color first = *a;
    rgb_color second = *b;
    result->red = half_way(first.red, second.red);
    result->green = half_way(first.green, second.green);
    result->blue = half_way(first.blue, second.blue);
}
