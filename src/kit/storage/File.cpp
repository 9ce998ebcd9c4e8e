#include "kit/storage/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "kit/storage/Entry.h"
#include "kit/storage/Path.h"

static int OpenFlags(uint32 openMode)
{
    int flags = O_CLOEXEC;
    switch (openMode & B_ACCESS_MODE) {
    case B_WRITE_ONLY:
        flags |= O_WRONLY;
        break;
    case B_READ_WRITE:
        flags |= O_RDWR;
        break;
    default:
        flags |= O_RDONLY;
        break;
    }
    if (openMode & B_CREATE_FILE)
        flags |= O_CREAT;
    if (openMode & B_FAIL_IF_EXISTS)
        flags |= O_CREAT | O_EXCL;
    if (openMode & B_ERASE_FILE)
        flags |= O_TRUNC;
    if (openMode & B_OPEN_AT_END)
        flags |= O_APPEND;
    return flags;
}

// Goes on after an interruption and after a partial transfer. A read that
// fails part way returns what it got; a write that fails is an error.
template <typename Transfer>
static ssize_t TransferAll(size_t size, bool writing, Transfer transfer)
{
    size_t done = 0;
    while (done < size) {
        ssize_t count = transfer(done);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return done > 0 && !writing ? (ssize_t)done : status_for_errno(errno);
        }
        if (count == 0)
            return writing ? (ssize_t)B_IO_ERROR : (ssize_t)done;
        done += count;
    }
    return done;
}

BFile::BFile() : fMode(0) {}

BFile::BFile(const char* path, uint32 openMode) : fMode(0)
{
    SetTo(path, openMode);
}

BFile::BFile(const entry_ref* ref, uint32 openMode) : fMode(0)
{
    SetTo(ref, openMode);
}

BFile::BFile(const BEntry* entry, uint32 openMode) : fMode(0)
{
    SetTo(entry, openMode);
}

status_t BFile::SetTo(const char* path, uint32 openMode)
{
    fMode = openMode;
    if (path == nullptr)
        return _SetDescriptor(-1, B_BAD_VALUE);
    int fd;
    do {
        fd = open(path, OpenFlags(openMode), 0666);
    } while (fd < 0 && errno == EINTR);
    status_t error = status_for_errno(errno);

    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        return _SetDescriptor(-1, B_IS_A_DIRECTORY);
    }
    return _SetDescriptor(fd, error);
}

status_t BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
    if (ref == nullptr)
        return _SetDescriptor(-1, B_BAD_VALUE);
    return SetTo(ref->path.c_str(), openMode);
}

status_t BFile::SetTo(const BEntry* entry, uint32 openMode)
{
    BPath path;
    status_t status = entry != nullptr ? entry->GetPath(&path) : B_BAD_VALUE;
    if (status != B_OK)
        return _SetDescriptor(-1, status);
    return SetTo(path.Path(), openMode);
}

bool BFile::IsReadable() const
{
    uint32 access = fMode & B_ACCESS_MODE;
    return fInitStatus == B_OK && (access == B_READ_ONLY || access == B_READ_WRITE);
}

bool BFile::IsWritable() const
{
    uint32 access = fMode & B_ACCESS_MODE;
    return fInitStatus == B_OK && (access == B_WRITE_ONLY || access == B_READ_WRITE);
}

ssize_t BFile::Read(void* buffer, size_t size)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    return TransferAll(size, false,
                       [&](size_t done) { return read(fFd, (char*)buffer + done, size - done); });
}

ssize_t BFile::Write(const void* buffer, size_t size)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    return TransferAll(size, true, [&](size_t done) {
        return write(fFd, (const char*)buffer + done, size - done);
    });
}

ssize_t BFile::ReadAt(off_t position, void* buffer, size_t size)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (position < 0)
        return B_BAD_VALUE;
    return TransferAll(size, false, [&](size_t done) {
        return pread(fFd, (char*)buffer + done, size - done, position + done);
    });
}

ssize_t BFile::WriteAt(off_t position, const void* buffer, size_t size)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (position < 0)
        return B_BAD_VALUE;
    return TransferAll(size, true, [&](size_t done) {
        return pwrite(fFd, (const char*)buffer + done, size - done, position + done);
    });
}

off_t BFile::Seek(off_t position, uint32 seekMode)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    off_t result = lseek(fFd, position, (int)seekMode);
    return result < 0 ? status_for_errno(errno) : result;
}

off_t BFile::Position() const
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    off_t result = lseek(fFd, 0, SEEK_CUR);
    return result < 0 ? status_for_errno(errno) : result;
}

status_t BFile::SetSize(off_t size)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (size < 0)
        return B_BAD_VALUE;
    int result;
    do {
        result = ftruncate(fFd, size);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? B_OK : status_for_errno(errno);
}

status_t BFile::GetSize(off_t* size) const
{
    if (size == nullptr)
        return B_BAD_VALUE;
    if (fInitStatus != B_OK)
        return fInitStatus;
    struct stat info;
    if (fstat(fFd, &info) != 0)
        return status_for_errno(errno);
    *size = info.st_size;
    return B_OK;
}
