#include "editors/LimitedTextControl.h"

#include <string>

#include "app/Utf8Text.h"
#include "kit/app/Beep.h"

LimitedTextControl::LimitedTextControl(BRect frame, const char* name, const char* label,
                                       const char* text, BMessage* message, size_t maxBytes,
                                       uint32 resizingMode)
    : BTextControl(frame, name, label, Utf8Cut(text != nullptr ? text : "", maxBytes).c_str(),
                   message, resizingMode),
      fMaxBytes(maxBytes)
{
}

void LimitedTextControl::SetLimitedText(const char* text)
{
    SetText(Utf8Cut(text != nullptr ? text : "", fMaxBytes).c_str());
}

void LimitedTextControl::KeyDown(const char* bytes, int32 numBytes)
{
    const std::string before = Text();
    int32 start = 0;
    int32 end = 0;
    GetSelection(&start, &end);
    BTextControl::KeyDown(bytes, numBytes);
    _Keep(before, start, end);
}

void LimitedTextControl::MessageReceived(BMessage* message)
{
    const std::string before = Text();
    int32 start = 0;
    int32 end = 0;
    GetSelection(&start, &end);
    BTextControl::MessageReceived(message);
    _Keep(before, start, end);
}

void LimitedTextControl::_Keep(const std::string& before, int32 selStart, int32 selEnd)
{
    if (size_t(TextLength()) <= fMaxBytes)
        return;
    beep();
    int32 caret = 0;
    int32 ignored = 0;
    GetSelection(&caret, &ignored);
    if (caret < TextLength() && before.size() <= fMaxBytes) {
        SetText(before.c_str());
        Select(selStart, selEnd);
        return;
    }
    SetLimitedText(Text());
    Select(TextLength(), TextLength());
}
