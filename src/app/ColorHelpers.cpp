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
