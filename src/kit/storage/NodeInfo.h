// The type of a file. Linux keeps no type with a file, so the type is read
// from the file's first bytes: "image/jpeg", "image/png", "image/gif",
// "text/xml", else "application/octet-stream".
#pragma once

#include "kit/app/SupportDefs.h"
#include "kit/storage/StorageDefs.h"

class BNode;

class BNodeInfo
{
public:
    BNodeInfo();
    explicit BNodeInfo(BNode* node);

    status_t InitCheck() const { return fInitStatus; }
    status_t SetTo(BNode* node);

    // type must hold B_MIME_TYPE_LENGTH bytes. Only regular files have a
    // type: a folder gives B_BAD_TYPE.
    status_t GetType(char* type) const;

    // The type of data that starts with these bytes; 16 are enough.
    static const char* SniffType(const void* data, size_t length);

private:
    BNode* fNode;
    status_t fInitStatus;
};
