// Results and descriptions shared by the translation kit.
#pragma once

#include "kit/app/SupportDefs.h"

enum : status_t
{
    B_TRANSLATION_ERROR_BASE = B_GENERAL_ERROR_BASE + 0x4800,
    // The data is in no format the kit reads, or cannot become the type
    // asked for.
    B_NO_TRANSLATOR = B_TRANSLATION_ERROR_BASE,
    // The data claims a known format but is broken, truncated or too large.
    B_ILLEGAL_DATA,
    B_NOT_INITIALIZED,
};

typedef uint32 translator_id;

struct translator_info
{
    uint32 type;
    translator_id translator;
    uint32 group;
    float quality;
    float capability;
};
