#include "kit/translation/TranslatorRoster.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "kit/interface/Bitmap.h"
#include "kit/storage/NodeInfo.h"
#include "kit/translation/BitmapStream.h"
#include "kit/translation/ImageCodecs.h"
#include "kit/translation/TranslatorFormats.h"

using namespace BPrivate;

static status_t ReadToEnd(BPositionIO* source, std::vector<uint8>* data)
{
    const size_t kChunk = 64 * 1024;
    for (;;) {
        size_t used = data->size();
        if (used >= BTranslatorRoster::kMaxSourceSize)
            return B_ILLEGAL_DATA;
        data->resize(used + kChunk);
        ssize_t count = source->Read(data->data() + used, kChunk);
        if (count < 0)
            return (status_t)count;
        data->resize(used + count);
        if (count == 0)
            return B_OK;
    }
}

static status_t Decode(const std::vector<uint8>& data, BBitmap** bitmap)
{
    std::string type = BNodeInfo::SniffType(data.data(), data.size());
    if (type == "image/jpeg")
        return DecodeJpeg(data.data(), data.size(), bitmap);
    if (type == "image/png")
        return DecodePng(data.data(), data.size(), bitmap);
    if (type == "image/gif")
        return DecodeGif(data.data(), data.size(), bitmap);
    return B_NO_TRANSLATOR;
}

static status_t Encode(BBitmap* bitmap, uint32 type, std::vector<uint8>* file)
{
    switch (type) {
    case B_PNG_FORMAT:
        return EncodePng(bitmap, file);
    case B_JPEG_FORMAT:
        return EncodeJpeg(bitmap, file);
    case B_GIF_FORMAT:
        return EncodeGif(bitmap, file);
    case B_TRANSLATOR_BITMAP: {
        BBitmapStream stream(bitmap);
        file->resize(stream.Size());
        ssize_t read = stream.ReadAt(0, file->data(), file->size());
        BBitmap* back;
        stream.DetachBitmap(&back);
        return read == (ssize_t)file->size() ? B_OK : B_ERROR;
    }
    }
    return B_NO_TRANSLATOR;
}

static BBitmap* Copy(const BBitmap* bitmap)
{
    BBitmap* copy = new BBitmap(bitmap->Bounds(), bitmap->ColorSpace());
    if (!copy->IsValid()) {
        delete copy;
        return nullptr;
    }
    memcpy(copy->Bits(), bitmap->Bits(), bitmap->BitsLength());
    return copy;
}

BTranslatorRoster* BTranslatorRoster::Default()
{
    static BTranslatorRoster sDefault;
    return &sDefault;
}

status_t BTranslatorRoster::Translate(BPositionIO* source, const translator_info*, BMessage*,
                                      BPositionIO* destination, uint32 wantOutType, uint32,
                                      const char*)
{
    if (source == nullptr || destination == nullptr)
        return B_BAD_VALUE;

    std::unique_ptr<BBitmap> decoded;
    BBitmap* bitmap = nullptr;
    if (BBitmapStream* stream = dynamic_cast<BBitmapStream*>(source)) {
        bitmap = stream->_Bitmap();
        if (bitmap == nullptr || !bitmap->IsValid())
            return B_BAD_VALUE;
    } else {
        std::vector<uint8> data;
        status_t status = ReadToEnd(source, &data);
        if (status == B_OK)
            status = Decode(data, &bitmap);
        if (status != B_OK)
            return status;
        decoded.reset(bitmap);
    }

    BBitmapStream* target = dynamic_cast<BBitmapStream*>(destination);
    if (target != nullptr) {
        if (wantOutType != B_TRANSLATOR_BITMAP)
            return B_NO_TRANSLATOR;
        BBitmap* result = decoded != nullptr ? decoded.release() : Copy(bitmap);
        if (result == nullptr)
            return B_NO_MEMORY;
        target->_SetBitmap(result);
        return B_OK;
    }

    std::vector<uint8> file;
    status_t status = Encode(bitmap, wantOutType, &file);
    if (status != B_OK)
        return status;
    ssize_t written = destination->Write(file.data(), file.size());
    if (written < 0)
        return (status_t)written;
    return (size_t)written == file.size() ? B_OK : B_IO_ERROR;
}
