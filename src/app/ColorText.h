// A colour as the six-digit text of HTML attributes and colour records.
#pragma once

#include <string>

#include "kit/app/GraphicsDefs.h"

// "RRGGBB", upper-case hexadecimal.
std::string rgb2str(rgb_color color);
