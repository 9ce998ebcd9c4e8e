// A text field that holds at most as many bytes as the record it edits can
// keep, so what the user sees is what is stored and saved. Typing past the
// limit is refused; a paste at the end is cut to fit, never inside a UTF-8
// character.
#pragma once

#include "kit/interface/TextControl.h"

class LimitedTextControl : public BTextControl
{
public:
    LimitedTextControl(BRect frame, const char* name, const char* label, const char* text,
                       BMessage* message, size_t maxBytes,
                       uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP);

    void KeyDown(const char* bytes, int32 numBytes) override;
    void MessageReceived(BMessage* message) override;

    // SetText() cut to the limit.
    void SetLimitedText(const char* text);
    size_t MaxBytes() const { return fMaxBytes; }

private:
    // After an edit: the text as it was when the new one is too long and the
    // caret is not at its end, else the new text cut to fit.
    void _Keep(const std::string& before, int32 selStart, int32 selEnd);

    size_t fMaxBytes;
};
