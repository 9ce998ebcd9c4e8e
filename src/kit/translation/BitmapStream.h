// A bitmap seen as a stream of bytes in the 'bits' form: a TranslatorBitmap
// header, big-endian, then the pixels. The roster reads images into it and
// writes images from it. The stream owns its bitmap until DetachBitmap().
#pragma once

#include "kit/storage/PositionIO.h"
#include "kit/translation/TranslatorFormats.h"

class BBitmap;

class BBitmapStream : public BPositionIO
{
public:
    explicit BBitmapStream(BBitmap* bitmap = nullptr);
    ~BBitmapStream() override;

    BBitmapStream(const BBitmapStream&) = delete;
    BBitmapStream& operator=(const BBitmapStream&) = delete;

    // Hands the bitmap to the caller; B_ERROR when there is none.
    status_t DetachBitmap(BBitmap** bitmap);

    ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
    // The stream is filled by the roster, not byte by byte.
    ssize_t WriteAt(off_t position, const void* buffer, size_t size) override;
    off_t Seek(off_t position, uint32 seekMode) override;
    off_t Position() const override;
    status_t SetSize(off_t size) override;
    status_t GetSize(off_t* size) const override;

    off_t Size() const;

private:
    friend class BTranslatorRoster;

    BBitmap* _Bitmap() const { return fBitmap; }
    // Takes over bitmap, deleting one the stream still owns.
    void _SetBitmap(BBitmap* bitmap);
    void _MakeHeader();

    BBitmap* fBitmap;
    off_t fPosition;
    uint8 fHeader[kTranslatorBitmapHeaderSize];
};
