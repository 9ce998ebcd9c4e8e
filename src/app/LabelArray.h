// One section of the label table: the built-in texts and the texts shown
// now. Windows read entries from their own threads while the application's
// thread reloads the label file, so every access is locked and a reader
// always gets its own copy.
#pragma once

#include <initializer_list>
#include <optional>
#include <shared_mutex>
#include <string>
#include <vector>

#include "kit/app/SupportDefs.h"

class LabelArray
{
public:
    LabelArray(std::initializer_list<const char*> builtIn);

    LabelArray(const LabelArray&) = delete;
    LabelArray& operator=(const LabelArray&) = delete;

    // The entries before the terminating empty one; also the most that a
    // label file can replace.
    int32 CountItems() const { return int32(fBuiltIn.size()); }

    // Nothing outside 0 .. CountItems() - 1.
    std::optional<std::string> ItemAt(int32 index) const;
    const char* BuiltInAt(int32 index) const;

    // Ignored outside the array.
    void SetItem(int32 index, std::string text);
    // Entries 0, 1, ... become texts (no more than the array holds), every
    // other entry its built-in text, in one step for the readers.
    void Replace(const std::vector<std::string>& texts);
    void RestoreBuiltIn() { Replace({}); }

private:
    const std::vector<const char*> fBuiltIn;
    std::vector<std::string> fCurrent;
    mutable std::shared_mutex fLock;
};
