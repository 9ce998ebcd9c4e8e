#include "kit/storage/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "kit/storage/DurableRename.h"
#include "kit/storage/Path.h"

static std::atomic<uint32> sNameCounter{0};

void BSafeFile::FailNthStep(int32 n)
{
    BPrivate::fail_nth_storage_step(n);
}

bool BSafeFile::_InjectedFailure()
{
    return BPrivate::storage_step_fails();
}

BSafeFile::BSafeFile(const char* path) : fFailed(false)
{
    BPath target(path);
    if (target.InitCheck() != B_OK || target.Path()[1] == '\0') {
        fFile.SetTo((const char*)nullptr, B_WRITE_ONLY);
        return;
    }
    fTarget = target.Path();

    // A hidden name in the same folder, so the rename stays on one file
    // system; O_EXCL keeps two writers apart.
    std::string base = fTarget.substr(0, fTarget.rfind('/') + 1) + "." + target.Leaf() + ".tmp";
    for (int attempt = 0; attempt < 100; attempt++) {
        fTemporary = base + std::to_string(getpid()) + "-" + std::to_string(sNameCounter++);
        if (fFile.SetTo(fTemporary.c_str(), B_READ_WRITE | B_FAIL_IF_EXISTS) != B_FILE_EXISTS)
            break;
    }
    if (fFile.InitCheck() != B_OK) {
        fTemporary.clear();
        return;
    }

    struct stat old;
    if (stat(fTarget.c_str(), &old) == 0)
        fchmod(fFile._Descriptor(), old.st_mode & 07777);
}

BSafeFile::~BSafeFile()
{
    _Discard();
}

status_t BSafeFile::Commit()
{
    if (fFile.InitCheck() != B_OK)
        return fFile.InitCheck();
    if (fFailed) {
        _Discard();
        return B_IO_ERROR;
    }

    status_t status = BPrivate::durable_rename(fTemporary, fTarget, fFile._Descriptor());
    if (status != B_OK) {
        _Discard();
        return status;
    }
    fTemporary.clear();
    fFile.Unset();
    return B_OK;
}

void BSafeFile::_Discard()
{
    fFile.Unset();
    if (!fTemporary.empty())
        unlink(fTemporary.c_str());
    fTemporary.clear();
}

ssize_t BSafeFile::_Checked(ssize_t result)
{
    if (result < 0)
        fFailed = true;
    return result;
}

ssize_t BSafeFile::Read(void* buffer, size_t size)
{
    return fFile.Read(buffer, size);
}

ssize_t BSafeFile::Write(const void* buffer, size_t size)
{
    if (_InjectedFailure())
        return _Checked(B_DEVICE_FULL);
    return _Checked(fFile.Write(buffer, size));
}

ssize_t BSafeFile::ReadAt(off_t position, void* buffer, size_t size)
{
    return fFile.ReadAt(position, buffer, size);
}

ssize_t BSafeFile::WriteAt(off_t position, const void* buffer, size_t size)
{
    if (_InjectedFailure())
        return _Checked(B_DEVICE_FULL);
    return _Checked(fFile.WriteAt(position, buffer, size));
}

off_t BSafeFile::Seek(off_t position, uint32 seekMode)
{
    return fFile.Seek(position, seekMode);
}

off_t BSafeFile::Position() const
{
    return fFile.Position();
}

status_t BSafeFile::SetSize(off_t size)
{
    return (status_t)_Checked(fFile.SetSize(size));
}

status_t BSafeFile::GetSize(off_t* size) const
{
    return fFile.GetSize(size);
}
