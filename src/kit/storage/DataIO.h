// Anything bytes can be read from or written to, one after the other.
#pragma once

#include "kit/app/SupportDefs.h"

class BDataIO
{
public:
    virtual ~BDataIO() = default;

    // The number of bytes moved, or a negative status_t.
    virtual ssize_t Read(void* buffer, size_t size) = 0;
    virtual ssize_t Write(const void* buffer, size_t size) = 0;
};
