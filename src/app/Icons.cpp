#include "app/Icons.h"

#include <array>

#include "app/Globals.h"
#include "app/Paths.h"
#include "kit/interface/Bitmap.h"
#include "kit/translation/TranslationUtils.h"

namespace {

constexpr std::array<const char*, kIconCount> kIconNames = {
    "Wko",   "Job",   "Prn",    "edit_htm", "Fwd",   "Bwd",
    "Trash", "Check", "TeaCup", "Holiday",  "templ", "snaps"};

std::unique_ptr<BBitmap> read_picture(const std::string& path)
{
    if (!IfExist(path.c_str()))
        return nullptr;
    return std::unique_ptr<BBitmap>(BTranslationUtils::GetBitmap(path.c_str()));
}

} // namespace

const char* IconName(int32 index)
{
    if (index < 0 || index >= kIconCount)
        return nullptr;
    return kIconNames[index];
}

std::string IconPath(const char* name, int32 size)
{
    std::string file = name != nullptr ? name : "";
    if (size == 16)
        file += "_16";
    return BuildPath(path2app, kIconsFolder, file.c_str(), ".png");
}

std::unique_ptr<BBitmap> LoadIcon(const char* name, int32 size)
{
    // A name that would leave the folder is no icon.
    if (name == nullptr || *name == '\0' || std::string(name).find('/') != std::string::npos)
        return nullptr;
    if (auto picture = read_picture(IconPath(name, size)))
        return picture;
    return read_picture(IconPath(name, size == 16 ? 32 : 16));
}

std::unique_ptr<BBitmap> LoadMimeIcon(const char* type, int32 size)
{
    if (type == nullptr)
        return nullptr;
    std::string name = type;
    for (char& c : name) {
        if (c == '/')
            c = '-';
    }
    if (name.find("..") != std::string::npos)
        return nullptr;
    return LoadIcon(name.c_str(), size);
}
