// A font: family and face, size, rotation and spacing, with the metrics the
// views need. Faces come from fontconfig and are drawn through cairo-ft.
// BFont is a plain value; every member may be used from any thread.
#pragma once

#include <string>

#include "kit/app/SupportDefs.h"

typedef struct _cairo_font_face cairo_font_face_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;
typedef struct _cairo_font_options cairo_font_options_t;

enum : uint16
{
    B_ITALIC_FACE = 0x0001,
    B_UNDERSCORE_FACE = 0x0002,
    B_NEGATIVE_FACE = 0x0004,
    B_OUTLINED_FACE = 0x0008,
    B_STRIKEOUT_FACE = 0x0010,
    B_BOLD_FACE = 0x0020,
    B_REGULAR_FACE = 0x0040,
};

enum : uint8
{
    B_CHAR_SPACING = 0,
    B_STRING_SPACING = 1,
    B_BITMAP_SPACING = 2,
    B_FIXED_SPACING = 3,
};

enum : uint32
{
    B_TRUNCATE_END = 0,
    B_TRUNCATE_BEGINNING = 1,
    B_TRUNCATE_MIDDLE = 2,
    B_TRUNCATE_SMART = 3,
};

// Which parts of a font BView::SetFont() takes.
enum : uint32
{
    B_FONT_FAMILY_AND_STYLE = 0x00000001,
    B_FONT_SIZE = 0x00000002,
    B_FONT_SHEAR = 0x00000004,
    B_FONT_ROTATION = 0x00000008,
    B_FONT_SPACING = 0x00000010,
    B_FONT_ENCODING = 0x00000020,
    B_FONT_FACE = 0x00000040,
    B_FONT_FLAGS = 0x00000080,
    B_FONT_ALL = 0x000000ff,
};

struct font_height
{
    float ascent;
    float descent;
    float leading;
};

class BFont
{
public:
    // The plain font: "DejaVu Sans", regular, 12 points.
    BFont();
    explicit BFont(const BFont* font);

    // Styles "Bold", "Oblique"/"Italic" and "Bold Oblique" set the face;
    // anything else is regular.
    status_t SetFamilyAndStyle(const char* family, const char* style);
    void SetFamilyAndFace(const char* family, uint16 face);
    const char* Family() const { return fFamily.c_str(); }
    // "Book", "Bold", "Oblique" or "Bold Oblique".
    const char* Style() const;

    void SetSize(float size);
    float Size() const { return fSize; }
    void SetFace(uint16 face);
    uint16 Face() const { return fFace; }
    // Degrees, counter-clockwise: 90 draws text reading upwards.
    void SetRotation(float degrees) { fRotation = degrees; }
    float Rotation() const { return fRotation; }
    void SetSpacing(uint8 spacing) { fSpacing = spacing; }
    uint8 Spacing() const { return fSpacing; }

    // Advance of the text (UTF-8; invalid bytes count as U+FFFD).
    float StringWidth(const char* text) const;
    float StringWidth(const char* text, int32 length) const;
    float StringWidth(const std::string& text) const;
    void GetHeight(font_height* height) const;
    // Shortens *text at code point boundaries, marking the cut with "…",
    // until it fits width; an ellipsis that does not fit leaves "".
    void TruncateString(std::string* text, uint32 mode, float width) const;

    bool operator==(const BFont& other) const = default;

    // For the kit's drawing code: the face (owned by the font cache) and a
    // scaled font at this size without rotation (the caller destroys it).
    cairo_font_face_t* _CairoFace() const;
    cairo_scaled_font_t* _CreateScaledFont() const;
    // Shared by measuring and drawing, so widths match what is drawn.
    static const cairo_font_options_t* _FontOptions();
    // Text cairo accepts: cut at the length or a NUL, invalid bytes replaced.
    static std::string _ValidText(const char* text, int32 length = -1);

private:
    std::string fFamily;
    uint16 fFace;
    float fSize;
    float fRotation = 0;
    uint8 fSpacing = B_BITMAP_SPACING;
};

extern const BFont* be_plain_font;
extern const BFont* be_bold_font;
extern const BFont* be_fixed_font;
