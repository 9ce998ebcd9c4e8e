// An absolute path. Relative paths are taken from the current directory, and
// ".", ".." and repeated slashes are resolved in the text alone: symbolic
// links are left as they are and nothing needs to exist.
#pragma once

#include <string>

#include "kit/app/EntryRef.h"
#include "kit/app/SupportDefs.h"

class BEntry;

class BPath
{
public:
    BPath();
    BPath(const char* path, const char* leaf = nullptr, bool normalize = false);
    explicit BPath(const entry_ref* ref);
    explicit BPath(const BEntry* entry);

    status_t InitCheck() const { return fInitStatus; }

    // leaf, when given, must be relative; it is appended to path.
    status_t SetTo(const char* path, const char* leaf = nullptr, bool normalize = false);
    status_t SetTo(const entry_ref* ref);
    status_t SetTo(const BEntry* entry);
    status_t Append(const char* path, bool normalize = false);
    void Unset();

    // Null while the path is not initialised.
    const char* Path() const;
    // The last component; "" for the root.
    const char* Leaf() const;
    status_t GetParent(BPath* parent) const;

    bool operator==(const BPath& other) const;

private:
    std::string fPath;
    status_t fInitStatus;
};
