#include "app/Icons.h"

#include <array>

#include "app/Globals.h"
#include "app/Paths.h"
#include "kit/interface/Bitmap.h"
#include "kit/translation/TranslationUtils.h"

namespace {

std::unique_ptr<BBitmap> read_picture(const std::string& path)
{
    if (!IfExist(path.c_str()))
        return nullptr;
    return std::unique_ptr<BBitmap>(BTranslationUtils::GetBitmap(path.c_str()));
}

} // namespace

std::string IconPath(const char* name, int32 size)
{
    return IconPath(name, size == 16 ? IconSize::kSmall : IconSize::kLarge);
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
