// A name in a folder, whether or not a file of that name exists. The folder
// must exist for the entry to be valid.
#pragma once

#include <string>

#include "kit/app/EntryRef.h"
#include "kit/app/SupportDefs.h"
#include "kit/storage/StorageDefs.h"

class BPath;

class BEntry
{
public:
    BEntry();
    // traverse: a symbolic link stands for the file it leads to.
    explicit BEntry(const char* path, bool traverse = false);
    explicit BEntry(const entry_ref* ref, bool traverse = false);

    status_t InitCheck() const { return fInitStatus; }
    status_t SetTo(const char* path, bool traverse = false);
    status_t SetTo(const entry_ref* ref, bool traverse = false);
    void Unset();

    bool Exists() const;
    bool IsFile() const;
    bool IsDirectory() const;
    bool IsSymLink() const;

    status_t GetPath(BPath* path) const;
    status_t GetRef(entry_ref* ref) const;
    // name must hold B_FILE_NAME_LENGTH bytes.
    status_t GetName(char* name) const;
    status_t GetParent(BEntry* parent) const;

    status_t Remove();
    // A new name in the same folder; an existing file of that name is
    // replaced only when clobber is set.
    status_t Rename(const char* newName, bool clobber = false);

private:
    int _Mode() const;

    std::string fPath;
    status_t fInitStatus;
};
