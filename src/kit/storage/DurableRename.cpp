#include "kit/storage/DurableRename.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "kit/storage/StorageDefs.h"

namespace BPrivate {

namespace {

std::atomic<int32> sFailAtStep{0};
std::atomic<int32> sStepsTaken{0};

int SyncDescriptor(int fd)
{
    int result;
    do {
        result = fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result;
}

int SyncFile(const std::string& path, int fd)
{
    if (fd >= 0)
        return SyncDescriptor(fd);
    int own = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (own < 0)
        return -1;
    int result = SyncDescriptor(own);
    int saved = errno;
    close(own);
    errno = saved;
    return result;
}

} // namespace

void fail_nth_storage_step(int32 n)
{
    sStepsTaken = 0;
    sFailAtStep = n;
}

bool storage_step_fails()
{
    const int32 failAt = sFailAtStep.load();
    return failAt > 0 && ++sStepsTaken == failAt;
}

void sync_folder_of(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    SyncDescriptor(fd);
    close(fd);
}

status_t durable_rename(const std::string& temporary, const std::string& target, int fd)
{
    // An injected failure stands for an I/O error of that step.
    if (storage_step_fails())
        return status_for_errno(EIO);
    if (SyncFile(temporary, fd) != 0)
        return status_for_errno(errno);
    if (storage_step_fails())
        return status_for_errno(EIO);
    if (rename(temporary.c_str(), target.c_str()) != 0)
        return status_for_errno(errno);
    sync_folder_of(target);
    return B_OK;
}

} // namespace BPrivate
