#include "kit/storage/Directory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "kit/storage/Entry.h"
#include "kit/storage/File.h"
#include "kit/storage/Path.h"

BDirectory::BDirectory() : fListing(nullptr) {}

BDirectory::BDirectory(const char* path) : fListing(nullptr)
{
    SetTo(path);
}

BDirectory::BDirectory(const entry_ref* ref) : fListing(nullptr)
{
    SetTo(ref);
}

BDirectory::BDirectory(const BEntry* entry) : fListing(nullptr)
{
    SetTo(entry);
}

BDirectory::~BDirectory()
{
    Unset();
}

status_t BDirectory::SetTo(const char* path)
{
    Unset();
    BPath clean(path);
    if (clean.InitCheck() != B_OK)
        return _SetDescriptor(-1, clean.InitCheck());
    int fd = open(clean.Path(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return _SetDescriptor(-1, status_for_errno(errno));
    fPath = clean.Path();
    return _SetDescriptor(fd, B_OK);
}

status_t BDirectory::SetTo(const entry_ref* ref)
{
    if (ref == nullptr) {
        Unset();
        return _SetDescriptor(-1, B_BAD_VALUE);
    }
    return SetTo(ref->path.c_str());
}

status_t BDirectory::SetTo(const BEntry* entry)
{
    BPath path;
    status_t status = entry != nullptr ? entry->GetPath(&path) : B_BAD_VALUE;
    if (status != B_OK) {
        Unset();
        return _SetDescriptor(-1, status);
    }
    return SetTo(path.Path());
}

void BDirectory::Unset()
{
    if (fListing != nullptr)
        closedir(fListing);
    fListing = nullptr;
    fPath.clear();
    BNode::Unset();
}

status_t BDirectory::_NextName(std::string* name)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (fListing == nullptr) {
        // The listing gets its own descriptor: closedir closes it.
        int fd = dup(fFd);
        if (fd < 0 || (fListing = fdopendir(fd)) == nullptr) {
            status_t status = status_for_errno(errno);
            if (fd >= 0)
                close(fd);
            return status;
        }
        rewinddir(fListing);
    }
    while (struct dirent* entry = readdir(fListing)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
            continue;
        *name = entry->d_name;
        return B_OK;
    }
    return B_ENTRY_NOT_FOUND;
}

std::string BDirectory::_Resolve(const char* path) const
{
    if (path[0] == '/')
        return path;
    return fPath + "/" + path;
}

status_t BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
    if (entry == nullptr)
        return B_BAD_VALUE;
    std::string name;
    status_t status = _NextName(&name);
    if (status != B_OK) {
        entry->Unset();
        return status;
    }
    return entry->SetTo(_Resolve(name.c_str()).c_str(), traverse);
}

status_t BDirectory::GetNextRef(entry_ref* ref)
{
    if (ref == nullptr)
        return B_BAD_VALUE;
    std::string name;
    status_t status = _NextName(&name);
    if (status == B_OK)
        ref->path = _Resolve(name.c_str());
    return status;
}

status_t BDirectory::Rewind()
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (fListing != nullptr)
        rewinddir(fListing);
    return B_OK;
}

int32 BDirectory::CountEntries() const
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    // A listing of its own leaves GetNextEntry's place alone.
    DIR* listing = opendir(fPath.c_str());
    if (listing == nullptr)
        return status_for_errno(errno);
    int32 count = 0;
    while (struct dirent* entry = readdir(listing)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            count++;
    }
    closedir(listing);
    return count;
}

bool BDirectory::Contains(const char* path) const
{
    if (fInitStatus != B_OK || path == nullptr)
        return false;
    struct stat info;
    return lstat(_Resolve(path).c_str(), &info) == 0;
}

status_t BDirectory::CreateDirectory(const char* path, BDirectory* directory)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (path == nullptr || path[0] == '\0')
        return B_BAD_VALUE;
    std::string full = _Resolve(path);
    if (mkdir(full.c_str(), 0755) != 0)
        return status_for_errno(errno);
    return directory != nullptr ? directory->SetTo(full.c_str()) : B_OK;
}

status_t BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (path == nullptr || path[0] == '\0')
        return B_BAD_VALUE;
    uint32 mode = B_READ_WRITE | B_CREATE_FILE | (failIfExists ? B_FAIL_IF_EXISTS : B_ERASE_FILE);
    BFile local;
    BFile* target = file != nullptr ? file : &local;
    return target->SetTo(_Resolve(path).c_str(), mode);
}

status_t create_directory(const char* path, mode_t mode)
{
    BPath clean(path);
    if (clean.InitCheck() != B_OK)
        return clean.InitCheck();

    std::string text = clean.Path();
    // Each folder from the top down; existing ones are passed over.
    for (size_t slash = text.find('/', 1);; slash = text.find('/', slash + 1)) {
        std::string part = text.substr(0, slash);
        if (mkdir(part.c_str(), mode) != 0 && errno != EEXIST)
            return status_for_errno(errno);
        if (slash == std::string::npos)
            break;
    }
    struct stat info;
    if (stat(text.c_str(), &info) != 0)
        return status_for_errno(errno);
    if (!S_ISDIR(info.st_mode))
        return B_NOT_A_DIRECTORY;
    return B_OK;
}
