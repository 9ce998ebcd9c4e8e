#include "kit/storage/PositionIO.h"

ssize_t BPositionIO::Read(void* buffer, size_t size)
{
    off_t position = Position();
    if (position < 0)
        return position;
    ssize_t done = ReadAt(position, buffer, size);
    if (done > 0)
        Seek(position + done, SEEK_SET);
    return done;
}

ssize_t BPositionIO::Write(const void* buffer, size_t size)
{
    off_t position = Position();
    if (position < 0)
        return position;
    ssize_t done = WriteAt(position, buffer, size);
    if (done > 0)
        Seek(position + done, SEEK_SET);
    return done;
}

status_t BPositionIO::SetSize(off_t)
{
    return B_ERROR;
}

status_t BPositionIO::GetSize(off_t* size) const
{
    if (size == nullptr)
        return B_BAD_VALUE;
    // Seeking to the end and back is the one way every stream can answer.
    BPositionIO* self = const_cast<BPositionIO*>(this);
    off_t current = Position();
    if (current < 0)
        return (status_t)current;
    off_t end = self->Seek(0, SEEK_END);
    self->Seek(current, SEEK_SET);
    if (end < 0)
        return (status_t)end;
    *size = end;
    return B_OK;
}
