// The program's pictures, read: the icon table and the file names are in
// IconTable.h; a size that has no file of its own is drawn from the other
// one, scaled.
#pragma once

#include <memory>
#include <string>

#include "app/IconTable.h"
#include "kit/app/SupportDefs.h"

class BBitmap;

inline constexpr int32 kIconCount = int32(kIconTable.size());

// IconPath by pixel size: 16 is the small picture, anything else the large.
std::string IconPath(const char* name, int32 size);

// The picture of that name, preferring the file of that size; null when
// neither file is a picture the translation kit can read.
std::unique_ptr<BBitmap> LoadIcon(const char* name, int32 size);

// The icon that stands for a MIME type ("application/x-vnd.Be-Bookmark"):
// its name with '/' made '-'. Null when there is none.
std::unique_ptr<BBitmap> LoadMimeIcon(const char* type, int32 size);
