// Reads an image file held in memory from front to back for the codecs'
// read callbacks; never past its end.
#pragma once

#include <algorithm>
#include <cstring>

#include "kit/app/SupportDefs.h"

namespace BPrivate {

class MemoryReader
{
public:
    MemoryReader(const uint8* data, size_t length) : fData(data), fLength(length) {}

    size_t Remaining() const { return fLength - fPosition; }

    // Copies up to size bytes; how many there were.
    size_t Read(void* buffer, size_t size)
    {
        const size_t count = std::min(size, Remaining());
        std::memcpy(buffer, fData + fPosition, count);
        fPosition += count;
        return count;
    }

    // All size bytes, or nothing when fewer are left.
    bool ReadExactly(void* buffer, size_t size)
    {
        if (Remaining() < size)
            return false;
        Read(buffer, size);
        return true;
    }

private:
    const uint8* fData;
    size_t fLength;
    size_t fPosition = 0;
};

} // namespace BPrivate
