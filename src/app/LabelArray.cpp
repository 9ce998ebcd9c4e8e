#include "app/LabelArray.h"

#include <mutex>

LabelArray::LabelArray(std::initializer_list<const char*> builtIn)
    : fBuiltIn(builtIn), fCurrent(builtIn.begin(), builtIn.end())
{
}

std::optional<std::string> LabelArray::ItemAt(int32 index) const
{
    if (index < 0 || index >= CountItems())
        return std::nullopt;
    std::shared_lock lock(fLock);
    return fCurrent[index];
}

const char* LabelArray::BuiltInAt(int32 index) const
{
    if (index < 0 || index >= CountItems())
        return nullptr;
    return fBuiltIn[index];
}

void LabelArray::SetItem(int32 index, std::string text)
{
    if (index < 0 || index >= CountItems())
        return;
    std::unique_lock lock(fLock);
    fCurrent[index] = std::move(text);
}

void LabelArray::Replace(const std::vector<std::string>& texts)
{
    std::unique_lock lock(fLock);
    for (size_t i = 0; i < fCurrent.size(); i++)
        fCurrent[i] = i < texts.size() ? texts[i] : fBuiltIn[i];
}
