// Reading a picture file into a new bitmap in one call.
#pragma once

#include "kit/app/EntryRef.h"

class BBitmap;
class BPositionIO;
class BTranslatorRoster;

class BTranslationUtils
{
public:
    // A new B_RGBA32 bitmap that the caller deletes, or null when the file
    // cannot be read or is no picture the roster knows. There are no
    // resources to search, so GetBitmap(name) reads the file name.
    static BBitmap* GetBitmap(const char* name, BTranslatorRoster* roster = nullptr);
    static BBitmap* GetBitmap(const entry_ref* ref, BTranslatorRoster* roster = nullptr);
    static BBitmap* GetBitmap(BPositionIO* stream, BTranslatorRoster* roster = nullptr);
    static BBitmap* GetBitmapFile(const char* name, BTranslatorRoster* roster = nullptr);
};
