// An open folder: its entries one by one, and new folders and files in it.
#pragma once

#include <dirent.h>
#include <string>
#include <sys/types.h>

#include "kit/storage/Node.h"

class BFile;

class BDirectory : public BNode
{
public:
    BDirectory();
    explicit BDirectory(const char* path);
    explicit BDirectory(const entry_ref* ref);
    explicit BDirectory(const BEntry* entry);
    ~BDirectory() override;

    status_t SetTo(const char* path);
    status_t SetTo(const entry_ref* ref);
    status_t SetTo(const BEntry* entry);
    void Unset();

    // The entries other than "." and ".." in no particular order;
    // B_ENTRY_NOT_FOUND after the last.
    status_t GetNextEntry(BEntry* entry, bool traverse = false);
    status_t GetNextRef(entry_ref* ref);
    status_t Rewind();
    int32 CountEntries() const;

    // path is taken from this folder unless absolute.
    bool Contains(const char* path) const;
    status_t CreateDirectory(const char* path, BDirectory* directory);
    status_t CreateFile(const char* path, BFile* file, bool failIfExists = false);

private:
    status_t _NextName(std::string* name);
    std::string _Resolve(const char* path) const;

    std::string fPath;
    DIR* fListing;
};

// Creates path and every missing folder above it; B_OK when it already is a
// folder.
status_t create_directory(const char* path, mode_t mode);
