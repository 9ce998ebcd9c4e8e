#include "kit/storage/Node.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "kit/storage/Entry.h"
#include "kit/storage/Path.h"

static std::string AttrName(const char* name)
{
    return std::string("user.") + name;
}

BNode::BNode() : fFd(-1), fInitStatus(B_NO_INIT) {}

BNode::BNode(const char* path) : fFd(-1), fInitStatus(B_NO_INIT)
{
    SetTo(path);
}

BNode::BNode(const entry_ref* ref) : fFd(-1), fInitStatus(B_NO_INIT)
{
    SetTo(ref);
}

BNode::BNode(const BEntry* entry) : fFd(-1), fInitStatus(B_NO_INIT)
{
    SetTo(entry);
}

BNode::~BNode()
{
    Unset();
}

status_t BNode::SetTo(const char* path)
{
    if (path == nullptr)
        return _SetDescriptor(-1, B_BAD_VALUE);
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    return _SetDescriptor(fd, status_for_errno(errno));
}

status_t BNode::SetTo(const entry_ref* ref)
{
    if (ref == nullptr)
        return _SetDescriptor(-1, B_BAD_VALUE);
    return SetTo(ref->path.c_str());
}

status_t BNode::SetTo(const BEntry* entry)
{
    BPath path;
    status_t status = entry != nullptr ? entry->GetPath(&path) : B_BAD_VALUE;
    if (status != B_OK)
        return _SetDescriptor(-1, status);
    return SetTo(path.Path());
}

void BNode::Unset()
{
    _SetDescriptor(-1, B_NO_INIT);
}

status_t BNode::_SetDescriptor(int fd, status_t error)
{
    if (fFd >= 0)
        close(fFd);
    fFd = fd;
    fInitStatus = fd >= 0 ? B_OK : error;
    return fInitStatus;
}

ssize_t BNode::ReadAttr(const char* name, type_code, off_t offset, void* buffer, size_t size) const
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (name == nullptr || offset < 0 || (buffer == nullptr && size > 0))
        return B_BAD_VALUE;

    std::string attr = AttrName(name);
    ssize_t length = fgetxattr(fFd, attr.c_str(), nullptr, 0);
    if (length < 0)
        return errno == ENODATA ? B_ENTRY_NOT_FOUND : status_for_errno(errno);
    std::vector<char> value(length);
    length = fgetxattr(fFd, attr.c_str(), value.data(), value.size());
    if (length < 0)
        return status_for_errno(errno == ERANGE ? EAGAIN : errno);
    if (offset >= length)
        return 0;
    size_t count = std::min(size, (size_t)(length - offset));
    std::copy_n(value.data() + offset, count, (char*)buffer);
    return count;
}

ssize_t BNode::WriteAttr(const char* name, type_code, off_t offset, const void* buffer, size_t size)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (name == nullptr || offset < 0 || (buffer == nullptr && size > 0))
        return B_BAD_VALUE;

    std::string attr = AttrName(name);
    std::vector<char> value;
    if (offset > 0) {
        ssize_t length = fgetxattr(fFd, attr.c_str(), nullptr, 0);
        value.resize(length > 0 ? length : 0);
        if (length > 0 && fgetxattr(fFd, attr.c_str(), value.data(), value.size()) < 0)
            return status_for_errno(errno);
    }
    if (value.size() < (size_t)offset + size)
        value.resize(offset + size);
    std::copy_n((const char*)buffer, size, value.data() + offset);
    if (fsetxattr(fFd, attr.c_str(), value.data(), value.size(), 0) != 0)
        return errno == ENOTSUP ? B_NOT_ALLOWED : status_for_errno(errno);
    return size;
}

status_t BNode::RemoveAttr(const char* name)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (name == nullptr)
        return B_BAD_VALUE;
    if (fremovexattr(fFd, AttrName(name).c_str()) != 0)
        return errno == ENODATA ? B_ENTRY_NOT_FOUND : status_for_errno(errno);
    return B_OK;
}
