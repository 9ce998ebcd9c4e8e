#include "exchange/XmlFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr size_t kBufferSize = 64 * 1024;

} // namespace

std::optional<XmlFile> XmlFile::Open(const std::string& path)
{
    // Without O_NONBLOCK opening a pipe waits for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    return XmlFile(fd);
}

XmlFile::XmlFile(int fd) : fFd(fd), fBuffer(kBufferSize), fStart(0), fEnd(0), fEof(false) {}

XmlFile::XmlFile(XmlFile&& other) noexcept
    : fFd(other.fFd), fBuffer(std::move(other.fBuffer)), fStart(other.fStart), fEnd(other.fEnd),
      fEof(other.fEof)
{
    other.fFd = -1;
}

XmlFile& XmlFile::operator=(XmlFile&& other) noexcept
{
    if (this != &other) {
        if (fFd >= 0)
            close(fFd);
        fFd = other.fFd;
        fBuffer = std::move(other.fBuffer);
        fStart = other.fStart;
        fEnd = other.fEnd;
        fEof = other.fEof;
        other.fFd = -1;
    }
    return *this;
}

XmlFile::~XmlFile()
{
    if (fFd >= 0)
        close(fFd);
}

bool XmlFile::_Fill()
{
    if (fEof || fFd < 0)
        return false;
    if (fStart > 0) {
        std::memmove(fBuffer.data(), fBuffer.data() + fStart, fEnd - fStart);
        fEnd -= fStart;
        fStart = 0;
    }
    for (;;) {
        const ssize_t got = read(fFd, fBuffer.data() + fEnd, fBuffer.size() - fEnd);
        if (got > 0) {
            fEnd += size_t(got);
            return true;
        }
        if (got < 0 && errno == EINTR)
            continue;
        fEof = true;
        return false;
    }
}

bool XmlFile::ReadLine(std::string& piece)
{
    piece.clear();
    for (;;) {
        const size_t available = fEnd - fStart;
        const size_t window = std::min(available, kPieceMax);
        const char* begin = fBuffer.data() + fStart;
        const void* newline = std::memchr(begin, '\n', window);
        if (newline != nullptr || window == kPieceMax) {
            const size_t length =
                newline != nullptr ? size_t(static_cast<const char*>(newline) - begin) + 1 : window;
            piece.assign(begin, length);
            fStart += length;
            return true;
        }
        if (!_Fill()) {
            // _Fill may have moved the bytes to the front.
            if (fEnd == fStart)
                return false;
            piece.assign(fBuffer.data() + fStart, fEnd - fStart);
            fStart = fEnd;
            return true;
        }
    }
}

void XmlFile::Rewind()
{
    if (fFd < 0)
        return;
    lseek(fFd, 0, SEEK_SET);
    fStart = fEnd = 0;
    fEof = false;
}

bool XmlFile::AtEnd()
{
    return fStart == fEnd && !_Fill();
}
