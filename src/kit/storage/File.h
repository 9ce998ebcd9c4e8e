// A file opened for reading and/or writing. openMode combines one of
// B_READ_ONLY, B_WRITE_ONLY, B_READ_WRITE with B_CREATE_FILE, B_ERASE_FILE,
// B_FAIL_IF_EXISTS and B_OPEN_AT_END (every write goes to the end).
// Files are created with permissions 0666 less the umask.
#pragma once

#include "kit/storage/Node.h"
#include "kit/storage/PositionIO.h"

class BFile : public BNode, public BPositionIO
{
public:
    BFile();
    BFile(const char* path, uint32 openMode);
    BFile(const entry_ref* ref, uint32 openMode);
    BFile(const BEntry* entry, uint32 openMode);

    status_t SetTo(const char* path, uint32 openMode);
    status_t SetTo(const entry_ref* ref, uint32 openMode);
    status_t SetTo(const BEntry* entry, uint32 openMode);
    using BNode::Unset;

    bool IsReadable() const;
    bool IsWritable() const;

    // Read returns fewer bytes only at the end of the file; Write writes
    // everything or fails.
    ssize_t Read(void* buffer, size_t size) override;
    ssize_t Write(const void* buffer, size_t size) override;
    ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
    ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;

    off_t Seek(off_t position, uint32 seekMode) override;
    off_t Position() const override;
    status_t SetSize(off_t size) override;
    status_t GetSize(off_t* size) const override;

private:
    uint32 fMode;
};
