#include "kit/translation/TranslationUtils.h"

#include "kit/interface/Bitmap.h"
#include "kit/storage/File.h"
#include "kit/translation/BitmapStream.h"
#include "kit/translation/TranslatorRoster.h"

BBitmap* BTranslationUtils::GetBitmap(const char* name, BTranslatorRoster* roster)
{
    return GetBitmapFile(name, roster);
}

BBitmap* BTranslationUtils::GetBitmap(const entry_ref* ref, BTranslatorRoster* roster)
{
    if (ref == nullptr)
        return nullptr;
    return GetBitmapFile(ref->path.c_str(), roster);
}

BBitmap* BTranslationUtils::GetBitmap(BPositionIO* stream, BTranslatorRoster* roster)
{
    if (stream == nullptr)
        return nullptr;
    if (roster == nullptr)
        roster = BTranslatorRoster::Default();
    BBitmapStream bitmapStream;
    if (roster->Translate(stream, nullptr, nullptr, &bitmapStream, B_TRANSLATOR_BITMAP) != B_OK)
        return nullptr;
    BBitmap* bitmap = nullptr;
    bitmapStream.DetachBitmap(&bitmap);
    return bitmap;
}

BBitmap* BTranslationUtils::GetBitmapFile(const char* name, BTranslatorRoster* roster)
{
    if (name == nullptr)
        return nullptr;
    BFile file(name, B_READ_ONLY);
    if (file.InitCheck() != B_OK)
        return nullptr;
    return GetBitmap(&file, roster);
}
