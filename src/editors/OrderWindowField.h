// A text field of the order editor that never holds more than its record
// can carry: an edit that would take the text past the limit is refused
// (with a beep), so nothing is cut silently when the order is saved. A text
// that is already longer (an older file) is kept; it may only shrink.
#pragma once

#include <cstddef>

#include "kit/interface/TextControl.h"

class OrderWindowField : public BTextControl
{
public:
    OrderWindowField(BRect frame, const char* name, const char* label, BMessage* message,
                     size_t maxBytes, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP);

    void KeyDown(const char* bytes, int32 numBytes) override;
    void MessageReceived(BMessage* message) override;

    size_t MaxBytes() const { return fMaxBytes; }

private:
    template <typename Edit>
    void _Limited(Edit&& edit);

    size_t fMaxBytes;
};
