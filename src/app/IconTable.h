// The program's icons: PNG files in "icons" beside the program, drawn by
// tools/icondraw. Each name has "<name>.png" (32 x 32, icon buttons) and
// "<name>-16.png" (16 x 16, menu items).
#pragma once

#include <array>
#include <string>

#include "kit/app/SupportDefs.h"

// Icon button pictures by index: XButton::SetBitmap(index).
inline constexpr std::array<const char*, 12> kIconTable = {
    "Wko",   "Job",   "Prn",    "edit_htm", "Fwd",   "Bwd",
    "Trash", "Check", "TeaCup", "Holiday",  "templ", "snaps",
};

// The file-link area's picture.
inline constexpr const char* kBookmarkIcon = "bookmark";

enum class IconSize : int32
{
    kLarge = 32,
    kSmall = 16,
};

// The name at index, or null outside the table.
const char* IconName(int32 index);

// "<program folder>/icons/<name>.png", or "<name>-16.png" for the small size.
std::string IconPath(const char* name, IconSize size = IconSize::kLarge);
