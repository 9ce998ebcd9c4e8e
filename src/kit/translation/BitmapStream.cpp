#include "kit/translation/BitmapStream.h"

#include <algorithm>
#include <cstring>

#include "kit/interface/Bitmap.h"

static void PutBigEndian(uint8* to, uint32 value)
{
    to[0] = value >> 24;
    to[1] = value >> 16;
    to[2] = value >> 8;
    to[3] = value;
}

static void PutBigEndian(uint8* to, float value)
{
    uint32 word;
    memcpy(&word, &value, sizeof(word));
    PutBigEndian(to, word);
}

BBitmapStream::BBitmapStream(BBitmap* bitmap) : fBitmap(nullptr), fPosition(0)
{
    _SetBitmap(bitmap);
}

BBitmapStream::~BBitmapStream()
{
    delete fBitmap;
}

status_t BBitmapStream::DetachBitmap(BBitmap** bitmap)
{
    if (bitmap == nullptr)
        return B_BAD_VALUE;
    if (fBitmap == nullptr)
        return B_ERROR;
    *bitmap = fBitmap;
    fBitmap = nullptr;
    _MakeHeader();
    return B_OK;
}

void BBitmapStream::_SetBitmap(BBitmap* bitmap)
{
    if (bitmap != fBitmap)
        delete fBitmap;
    fBitmap = bitmap;
    fPosition = 0;
    _MakeHeader();
}

void BBitmapStream::_MakeHeader()
{
    memset(fHeader, 0, sizeof(fHeader));
    if (fBitmap == nullptr)
        return;
    BRect bounds = fBitmap->Bounds();
    PutBigEndian(fHeader, (uint32)B_TRANSLATOR_BITMAP);
    PutBigEndian(fHeader + 4, bounds.left);
    PutBigEndian(fHeader + 8, bounds.top);
    PutBigEndian(fHeader + 12, bounds.right);
    PutBigEndian(fHeader + 16, bounds.bottom);
    PutBigEndian(fHeader + 20, (uint32)fBitmap->BytesPerRow());
    PutBigEndian(fHeader + 24, (uint32)fBitmap->ColorSpace());
    PutBigEndian(fHeader + 28, (uint32)fBitmap->BitsLength());
}

off_t BBitmapStream::Size() const
{
    if (fBitmap == nullptr)
        return 0;
    return kTranslatorBitmapHeaderSize + fBitmap->BitsLength();
}

ssize_t BBitmapStream::ReadAt(off_t position, void* buffer, size_t size)
{
    if (position < 0 || (buffer == nullptr && size > 0))
        return B_BAD_VALUE;
    uint8* to = (uint8*)buffer;
    size_t done = 0;
    off_t end = Size();
    while (done < size && position < end) {
        size_t count;
        if (position < (off_t)kTranslatorBitmapHeaderSize) {
            count = std::min(size - done, (size_t)(kTranslatorBitmapHeaderSize - position));
            memcpy(to + done, fHeader + position, count);
        } else {
            off_t offset = position - kTranslatorBitmapHeaderSize;
            count = std::min(size - done, (size_t)(end - position));
            memcpy(to + done, (const uint8*)fBitmap->Bits() + offset, count);
        }
        done += count;
        position += count;
    }
    return done;
}

ssize_t BBitmapStream::WriteAt(off_t, const void*, size_t)
{
    return B_NOT_ALLOWED;
}

off_t BBitmapStream::Seek(off_t position, uint32 seekMode)
{
    off_t base = seekMode == SEEK_CUR ? fPosition : seekMode == SEEK_END ? Size() : 0;
    if (seekMode != SEEK_SET && seekMode != SEEK_CUR && seekMode != SEEK_END)
        return B_BAD_VALUE;
    if (base + position < 0)
        return B_BAD_VALUE;
    fPosition = base + position;
    return fPosition;
}

off_t BBitmapStream::Position() const
{
    return fPosition;
}

status_t BBitmapStream::SetSize(off_t)
{
    return B_NOT_ALLOWED;
}

status_t BBitmapStream::GetSize(off_t* size) const
{
    if (size == nullptr)
        return B_BAD_VALUE;
    *size = Size();
    return B_OK;
}
