#include "kit/storage/Entry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "kit/storage/Path.h"

BEntry::BEntry() : fInitStatus(B_NO_INIT) {}

BEntry::BEntry(const char* path, bool traverse) : fInitStatus(B_NO_INIT)
{
    SetTo(path, traverse);
}

BEntry::BEntry(const entry_ref* ref, bool traverse) : fInitStatus(B_NO_INIT)
{
    SetTo(ref, traverse);
}

status_t BEntry::SetTo(const char* path, bool traverse)
{
    Unset();
    BPath clean(path);
    if (clean.InitCheck() != B_OK)
        return fInitStatus = clean.InitCheck();

    std::string text = clean.Path();
    if (traverse) {
        struct stat info;
        if (lstat(text.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
            char* target = realpath(text.c_str(), nullptr);
            if (target == nullptr)
                return fInitStatus = status_for_errno(errno);
            text = target;
            free(target);
        }
    }

    BPath parent;
    if (clean.GetParent(&parent) == B_OK) {
        struct stat info;
        if (stat(parent.Path(), &info) != 0)
            return fInitStatus = status_for_errno(errno);
        if (!S_ISDIR(info.st_mode))
            return fInitStatus = B_NOT_A_DIRECTORY;
    }
    fPath = std::move(text);
    return fInitStatus = B_OK;
}

status_t BEntry::SetTo(const entry_ref* ref, bool traverse)
{
    if (ref == nullptr) {
        Unset();
        return fInitStatus = B_BAD_VALUE;
    }
    return SetTo(ref->path.c_str(), traverse);
}

void BEntry::Unset()
{
    fPath.clear();
    fInitStatus = B_NO_INIT;
}

int BEntry::_Mode() const
{
    struct stat info;
    if (fInitStatus != B_OK || lstat(fPath.c_str(), &info) != 0)
        return 0;
    return info.st_mode;
}

bool BEntry::Exists() const
{
    return _Mode() != 0;
}

bool BEntry::IsFile() const
{
    return S_ISREG(_Mode());
}

bool BEntry::IsDirectory() const
{
    return S_ISDIR(_Mode());
}

bool BEntry::IsSymLink() const
{
    return S_ISLNK(_Mode());
}

status_t BEntry::GetPath(BPath* path) const
{
    if (path == nullptr)
        return B_BAD_VALUE;
    if (fInitStatus != B_OK)
        return fInitStatus;
    return path->SetTo(fPath.c_str());
}

status_t BEntry::GetRef(entry_ref* ref) const
{
    if (ref == nullptr)
        return B_BAD_VALUE;
    if (fInitStatus != B_OK)
        return fInitStatus;
    ref->path = fPath;
    return B_OK;
}

status_t BEntry::GetName(char* name) const
{
    if (name == nullptr)
        return B_BAD_VALUE;
    if (fInitStatus != B_OK)
        return fInitStatus;
    const char* leaf = fPath.c_str() + fPath.rfind('/') + 1;
    size_t length = strlen(leaf);
    if (length >= (size_t)B_FILE_NAME_LENGTH)
        return B_NAME_TOO_LONG;
    memcpy(name, leaf, length + 1);
    return B_OK;
}

status_t BEntry::GetParent(BEntry* parent) const
{
    if (parent == nullptr)
        return B_BAD_VALUE;
    if (fInitStatus != B_OK)
        return fInitStatus;
    BPath path(fPath.c_str());
    BPath up;
    status_t status = path.GetParent(&up);
    if (status != B_OK) {
        parent->Unset();
        return status;
    }
    return parent->SetTo(up.Path());
}

status_t BEntry::Remove()
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    int flags = IsDirectory() ? AT_REMOVEDIR : 0;
    if (unlinkat(AT_FDCWD, fPath.c_str(), flags) != 0)
        return status_for_errno(errno);
    return B_OK;
}

status_t BEntry::Rename(const char* newName, bool clobber)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (newName == nullptr || newName[0] == '\0' || strchr(newName, '/') != nullptr)
        return B_BAD_VALUE;

    std::string target = fPath.substr(0, fPath.rfind('/') + 1) + newName;
    // renameat2's RENAME_NOREPLACE keeps the check and the move one step.
    unsigned int flags = clobber ? 0 : RENAME_NOREPLACE;
    if (renameat2(AT_FDCWD, fPath.c_str(), AT_FDCWD, target.c_str(), flags) != 0)
        return status_for_errno(errno);
    fPath = std::move(target);
    return B_OK;
}
