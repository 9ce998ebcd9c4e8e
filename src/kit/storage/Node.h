// An open file or folder. Attributes are the file's extended attributes in
// the "user." name space; their bytes are kept as given, and the type code,
// which the file system cannot store, is not checked when reading.
#pragma once

#include "kit/app/EntryRef.h"
#include "kit/app/SupportDefs.h"
#include "kit/storage/StorageDefs.h"

class BEntry;

class BNode
{
public:
    BNode();
    explicit BNode(const char* path);
    explicit BNode(const entry_ref* ref);
    explicit BNode(const BEntry* entry);
    virtual ~BNode();

    BNode(const BNode&) = delete;
    BNode& operator=(const BNode&) = delete;

    status_t InitCheck() const { return fInitStatus; }
    status_t SetTo(const char* path);
    status_t SetTo(const entry_ref* ref);
    status_t SetTo(const BEntry* entry);
    void Unset();

    // The number of bytes read or written, or a negative status_t.
    ssize_t ReadAttr(const char* name, type_code type, off_t offset, void* buffer,
                     size_t size) const;
    ssize_t WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
                      size_t size);
    status_t RemoveAttr(const char* name);

    // For the kit: the open descriptor, or -1.
    int _Descriptor() const { return fFd; }

protected:
    // Takes over fd (closing the previous one); a negative fd records error.
    status_t _SetDescriptor(int fd, status_t error);

    int fFd;
    status_t fInitStatus;
};
