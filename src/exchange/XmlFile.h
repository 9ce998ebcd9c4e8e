// An XML project file opened for the import, read the way the import reads:
// line by line, in pieces of at most 255 bytes (a longer line goes on as
// the next piece), any bytes, NULs included.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kit/app/SupportDefs.h"

class XmlFile
{
public:
    static constexpr size_t kPieceMax = 255;

    // Null unless path is a regular file that can be read: a folder, a
    // pipe or a device named ".xml" would never end or never start.
    static std::optional<XmlFile> Open(const std::string& path);

    XmlFile(XmlFile&& other) noexcept;
    XmlFile& operator=(XmlFile&& other) noexcept;
    XmlFile(const XmlFile&) = delete;
    XmlFile& operator=(const XmlFile&) = delete;
    ~XmlFile();

    // The next piece, its line end included; false at the end of the file
    // (or when it cannot be read further).
    bool ReadLine(std::string& piece);
    void Rewind();
    bool AtEnd();

private:
    explicit XmlFile(int fd);
    bool _Fill();

    int fFd;
    std::vector<char> fBuffer;
    size_t fStart;
    size_t fEnd;
    bool fEof;
};
