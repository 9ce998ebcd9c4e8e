#include "kit/storage/NodeInfo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "kit/storage/Node.h"

BNodeInfo::BNodeInfo() : fNode(nullptr), fInitStatus(B_NO_INIT) {}

BNodeInfo::BNodeInfo(BNode* node) : fNode(nullptr), fInitStatus(B_NO_INIT)
{
    SetTo(node);
}

status_t BNodeInfo::SetTo(BNode* node)
{
    fNode = nullptr;
    if (node == nullptr)
        return fInitStatus = B_BAD_VALUE;
    if (node->InitCheck() != B_OK)
        return fInitStatus = node->InitCheck();
    fNode = node;
    return fInitStatus = B_OK;
}

status_t BNodeInfo::GetType(char* type) const
{
    if (type == nullptr)
        return B_BAD_VALUE;
    if (fInitStatus != B_OK)
        return fInitStatus;

    int fd = fNode->_Descriptor();
    struct stat info;
    if (fstat(fd, &info) != 0)
        return status_for_errno(errno);
    if (!S_ISREG(info.st_mode))
        return B_BAD_TYPE;

    unsigned char head[16];
    ssize_t length;
    do {
        length = pread(fd, head, sizeof(head), 0);
    } while (length < 0 && errno == EINTR);
    if (length < 0)
        return status_for_errno(errno);

    const char* sniffed = SniffType(head, length);
    strcpy(type, sniffed);
    return B_OK;
}

const char* BNodeInfo::SniffType(const void* data, size_t length)
{
    static const unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const unsigned char* head = (const unsigned char*)data;
    if (length >= 3 && head[0] == 0xff && head[1] == 0xd8 && head[2] == 0xff)
        return "image/jpeg";
    if (length >= sizeof(kPng) && memcmp(head, kPng, sizeof(kPng)) == 0)
        return "image/png";
    if (length >= 6 && (memcmp(head, "GIF87a", 6) == 0 || memcmp(head, "GIF89a", 6) == 0))
        return "image/gif";
    if (length >= 5 && memcmp(head, "<?xml", 5) == 0)
        return "text/xml";
    return "application/octet-stream";
}
