#include "kit/interface/Font.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace {

const BFont sPlainFont;
const BFont sBoldFont = [] {
    BFont font;
    font.SetFace(B_BOLD_FACE);
    return font;
}();
const BFont sFixedFont = [] {
    BFont font;
    font.SetFamilyAndFace("DejaVu Sans Mono", B_REGULAR_FACE);
    return font;
}();

const char* kEllipsis = "\xE2\x80\xA6";

// Faces live as long as the process: views and copies of fonts on every
// thread refer to them.
class FaceCache
{
public:
    static FaceCache& Default()
    {
        static FaceCache* sCache = new FaceCache;
        return *sCache;
    }

    cairo_font_face_t* Face(const std::string& family, uint16 face)
    {
        std::lock_guard lock(fLock);
        auto key =
            std::make_pair(family, static_cast<uint16>(face & (B_BOLD_FACE | B_ITALIC_FACE)));
        auto found = fFaces.find(key);
        if (found != fFaces.end())
            return found->second;
        cairo_font_face_t* created = _Create(family, key.second);
        fFaces.emplace(key, created);
        return created;
    }

private:
    static cairo_font_face_t* _Create(const std::string& family, uint16 face)
    {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT,
                            (face & B_BOLD_FACE) != 0 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT,
                            (face & B_ITALIC_FACE) != 0 ? FC_SLANT_OBLIQUE : FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr)
            return cairo_toy_font_face_create(family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                                              CAIRO_FONT_WEIGHT_NORMAL);
        cairo_font_face_t* created = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);
        return created;
    }

    std::mutex fLock;
    std::map<std::pair<std::string, uint16>, cairo_font_face_t*> fFaces;
};

// Length of the UTF-8 sequence starting at text[0], or 0 when it is invalid.
size_t sequence_length(const unsigned char* text, size_t available)
{
    unsigned char lead = text[0];
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xe  ? 3
                    : (lead >> 3) == 0x1e ? 4
                                          : 0;
    if (length == 0 || length > available)
        return 0;
    for (size_t i = 1; i < length; i++) {
        if ((text[i] & 0xc0) != 0x80)
            return 0;
    }
    if (length == 2 && lead < 0xc2)
        return 0;
    if (length == 3) {
        uint32 code = ((lead & 0x0f) << 12) | ((text[1] & 0x3f) << 6) | (text[2] & 0x3f);
        if (code < 0x800 || (code >= 0xd800 && code <= 0xdfff))
            return 0;
    }
    if (length == 4) {
        uint32 code = ((lead & 0x07) << 18) | ((text[1] & 0x3f) << 12);
        if (code < 0x10000 || code > 0x10ffff)
            return 0;
    }
    return length;
}

// Byte offsets of the code point starts, plus the end.
std::vector<size_t> code_point_offsets(const std::string& text)
{
    std::vector<size_t> offsets;
    for (size_t i = 0; i < text.size(); i++) {
        if ((static_cast<unsigned char>(text[i]) & 0xc0) != 0x80)
            offsets.push_back(i);
    }
    offsets.push_back(text.size());
    return offsets;
}

} // namespace

const BFont* be_plain_font = &sPlainFont;
const BFont* be_bold_font = &sBoldFont;
const BFont* be_fixed_font = &sFixedFont;

BFont::BFont() : fFamily("DejaVu Sans"), fFace(B_REGULAR_FACE), fSize(12) {}

BFont::BFont(const BFont* font) : BFont()
{
    if (font != nullptr)
        *this = *font;
}

status_t BFont::SetFamilyAndStyle(const char* family, const char* style)
{
    if (family != nullptr)
        fFamily = family;
    std::string name = style != nullptr ? style : "";
    uint16 face = 0;
    if (name.find("Bold") != std::string::npos)
        face |= B_BOLD_FACE;
    if (name.find("Oblique") != std::string::npos || name.find("Italic") != std::string::npos)
        face |= B_ITALIC_FACE;
    SetFace(face);
    return B_OK;
}

void BFont::SetFamilyAndFace(const char* family, uint16 face)
{
    if (family != nullptr)
        fFamily = family;
    SetFace(face);
}

const char* BFont::Style() const
{
    bool bold = (fFace & B_BOLD_FACE) != 0;
    bool italic = (fFace & B_ITALIC_FACE) != 0;
    return bold && italic ? "Bold Oblique" : bold ? "Bold" : italic ? "Oblique" : "Book";
}

void BFont::SetSize(float size)
{
    if (size > 0 && size < 10000)
        fSize = size;
}

void BFont::SetFace(uint16 face)
{
    face &= B_BOLD_FACE | B_ITALIC_FACE | B_UNDERSCORE_FACE | B_STRIKEOUT_FACE;
    fFace = face != 0 ? face : uint16(B_REGULAR_FACE);
}

// MARK: Metrics

float BFont::StringWidth(const char* text) const
{
    return StringWidth(text, -1);
}

float BFont::StringWidth(const std::string& text) const
{
    return StringWidth(text.c_str(), static_cast<int32>(text.size()));
}

float BFont::StringWidth(const char* text, int32 length) const
{
    if (text == nullptr || length == 0)
        return 0;
    std::string valid = _ValidText(text, length);
    if (valid.empty())
        return 0;
    cairo_scaled_font_t* font = _CreateScaledFont();
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(font, valid.c_str(), &extents);
    cairo_scaled_font_destroy(font);
    return static_cast<float>(extents.x_advance);
}

void BFont::GetHeight(font_height* height) const
{
    if (height == nullptr)
        return;
    cairo_scaled_font_t* font = _CreateScaledFont();
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font, &extents);
    cairo_scaled_font_destroy(font);
    height->ascent = static_cast<float>(extents.ascent);
    height->descent = static_cast<float>(extents.descent);
    height->leading =
        std::max(0.0f, static_cast<float>(extents.height - extents.ascent - extents.descent));
}

void BFont::TruncateString(std::string* text, uint32 mode, float width) const
{
    if (text == nullptr)
        return;
    *text = _ValidText(text->c_str(), static_cast<int32>(text->size()));
    if (StringWidth(*text) <= width)
        return;

    std::vector<size_t> offsets = code_point_offsets(*text);
    size_t count = offsets.size() - 1;
    // kept code points -> candidate text; the widths grow with kept.
    auto candidate = [&](size_t kept) {
        size_t head = kept, tail = 0;
        if (mode == B_TRUNCATE_BEGINNING) {
            head = 0;
            tail = kept;
        } else if (mode == B_TRUNCATE_MIDDLE || mode == B_TRUNCATE_SMART) {
            head = (kept + 1) / 2;
            tail = kept / 2;
        }
        return text->substr(0, offsets[head]) + kEllipsis + text->substr(offsets[count - tail]);
    };

    size_t low = 0, high = count;
    while (low < high) {
        size_t middle = (low + high + 1) / 2;
        if (StringWidth(candidate(middle)) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    std::string result = candidate(low);
    *text = StringWidth(result) <= width ? result : std::string();
}

// MARK: Kit access

cairo_font_face_t* BFont::_CairoFace() const
{
    return FaceCache::Default().Face(fFamily, fFace);
}

cairo_scaled_font_t* BFont::_CreateScaledFont() const
{
    cairo_matrix_t fontMatrix, identity;
    cairo_matrix_init_scale(&fontMatrix, fSize, fSize);
    cairo_matrix_init_identity(&identity);
    return cairo_scaled_font_create(_CairoFace(), &fontMatrix, &identity, _FontOptions());
}

const cairo_font_options_t* BFont::_FontOptions()
{
    static const cairo_font_options_t* sOptions = [] {
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
        // Unhinted advances: widths scale smoothly with the size.
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        return options;
    }();
    return sOptions;
}

std::string BFont::_ValidText(const char* text, int32 length)
{
    std::string result;
    if (text == nullptr)
        return result;
    size_t size = 0;
    while ((length < 0 || size < static_cast<size_t>(length)) && text[size] != '\0')
        size++;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < size;) {
        size_t step = sequence_length(bytes + i, size - i);
        if (step == 0) {
            result += "\xEF\xBF\xBD";
            i++;
            continue;
        }
        result.append(text + i, step);
        i += step;
    }
    return result;
}
