// Writes a file whole or not at all. The bytes go to a new file beside the
// target; Commit() flushes it and renames it over the target. Without a
// successful Commit() the target keeps its old contents and the new file is
// removed when the object goes. A replaced file keeps its permissions.
#pragma once

#include <string>

#include "kit/storage/File.h"

class BSafeFile : public BPositionIO
{
public:
    explicit BSafeFile(const char* path);
    ~BSafeFile() override;

    BSafeFile(const BSafeFile&) = delete;
    BSafeFile& operator=(const BSafeFile&) = delete;

    // Fails as creating the target would: missing or read-only folder.
    status_t InitCheck() const { return fFile.InitCheck(); }

    // Refused when any write failed. After the rename the folder is
    // synced too, so the new name survives a crash.
    status_t Commit();

    // Test seam: from now on the n-th step (a write, the file's fsync, the
    // rename) of any safe file, or of any durable_rename() such as a saved
    // PDF, fails as a full disk would; 0 turns it off.
    static void FailNthStep(int32 n);

    ssize_t Read(void* buffer, size_t size) override;
    ssize_t Write(const void* buffer, size_t size) override;
    ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
    ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;
    off_t Seek(off_t position, uint32 seekMode) override;
    off_t Position() const override;
    status_t SetSize(off_t size) override;
    status_t GetSize(off_t* size) const override;

private:
    ssize_t _Checked(ssize_t result);
    static bool _InjectedFailure();
    void _Discard();

    BFile fFile;
    std::string fTarget;
    std::string fTemporary;
    bool fFailed;
};
