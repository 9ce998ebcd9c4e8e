#include "app/IconTable.h"

#include "app/Globals.h"
#include "app/Paths.h"

const char* IconName(int32 index)
{
    if (index < 0 || index >= static_cast<int32>(kIconTable.size()))
        return nullptr;
    return kIconTable[index];
}

std::string IconPath(const char* name, IconSize size)
{
    std::string file = name != nullptr ? name : "";
    if (size == IconSize::kSmall)
        file += "-16";
    return BuildPath(path2app, kIconsFolder, file.c_str(), ".png");
}
