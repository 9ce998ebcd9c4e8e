// Colours as the windows and reports need them: a colour dropped from a
// colour picker or a colour file, the six-digit text of HTML attributes,
// and the colour half-way between two others.
#pragma once

#include <string>
#include <string_view>

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

class BMessage;

// The colour a dropped message carries: its "RGBColor" data of type 'RGBC',
// else the 4-byte "RGBCOLOR" attribute of its first "refs" file, else
// fallback.
rgb_color HasMsgColor(const BMessage* message, rgb_color fallback);

// "RRGGBB", upper-case hexadecimal.
std::string rgb2str(rgb_color color);

// The other way: "#RRGGBB" or "RRGGBB" in either case, blanks and line ends
// around it allowed (as copied from a web page or a colour picker). Sets
// red, green and blue and leaves alpha; false, and nothing changed, for any
// other text.
bool str2rgb(std::string_view text, rgb_color* color);

void ColorSet(rgb_color* color, uint8 red, uint8 green, uint8 blue, uint8 alpha);

// Each of red, green and blue half-way between a and b, rounded towards the
// smaller; the result's alpha is left as it was.
void ColorBetween(const rgb_color* a, const rgb_color* b, rgb_color* result);
