// Turns image files into bitmaps and bitmaps into image files. Readers know
// JPEG, PNG and GIF, told apart by their first bytes; writers make PNG,
// JPEG and GIF. A bitmap travels in a BBitmapStream.
#pragma once

#include "kit/app/SupportDefs.h"
#include "kit/translation/TranslationDefs.h"

class BMessage;
class BPositionIO;

class BTranslatorRoster
{
public:
    BTranslatorRoster() = default;

    // The process-wide roster; never deleted.
    static BTranslatorRoster* Default();

    // Reads source from its current position to its end, or takes the
    // bitmap of a BBitmapStream, and writes it to destination as
    // wantOutType: B_TRANSLATOR_BITMAP, B_PNG_FORMAT, B_JPEG_FORMAT or
    // B_GIF_FORMAT. A BBitmapStream destination receives a new bitmap.
    // info, ioExtension and the hints are accepted and not needed.
    status_t Translate(BPositionIO* source, const translator_info* info, BMessage* ioExtension,
                       BPositionIO* destination, uint32 wantOutType, uint32 hintType = 0,
                       const char* hintMIME = nullptr);

    // Larger sources are refused without being read whole.
    static constexpr size_t kMaxSourceSize = 256 * 1024 * 1024;
};
