// The program's pictures: the icon table of the buttons and the PNG files in
// the "icons" folder beside the program. "<name>.png" is the large picture
// (32 x 32), "<name>_16.png" the small one (16 x 16); a size that has no
// file of its own is drawn from the other one, scaled.
#pragma once

#include <memory>
#include <string>

#include "kit/app/SupportDefs.h"

class BBitmap;

// The icon table: index 0 "Wko" ... 11 "snaps".
inline constexpr int32 kIconCount = 12;
// The name at index, or null outside the table.
const char* IconName(int32 index);

// "icons/<name>.png" for size 32, "icons/<name>_16.png" for 16, beside the
// program.
std::string IconPath(const char* name, int32 size);

// The picture of that name, preferring the file of that size; null when
// neither file is a picture the translation kit can read.
std::unique_ptr<BBitmap> LoadIcon(const char* name, int32 size);

// The icon that stands for a MIME type ("application/x-vnd.Be-Bookmark"):
// its name with '/' made '-'. Null when there is none.
std::unique_ptr<BBitmap> LoadMimeIcon(const char* type, int32 size);
