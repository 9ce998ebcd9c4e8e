#include "editors/OrderWindowField.h"

#include <string>

#include "kit/app/Beep.h"

OrderWindowField::OrderWindowField(BRect frame, const char* name, const char* label,
                                   BMessage* message, size_t maxBytes, uint32 resizingMode)
    : BTextControl(frame, name, label, "", message, resizingMode), fMaxBytes(maxBytes)
{
}

template <typename Edit>
void OrderWindowField::_Limited(Edit&& edit)
{
    const std::string before = Text();
    int32 start = 0, end = 0;
    GetSelection(&start, &end);
    edit();
    const size_t length = size_t(TextLength());
    if (length <= fMaxBytes || length <= before.size())
        return;
    SetText(before.c_str());
    Select(start, end);
    beep();
}

void OrderWindowField::KeyDown(const char* bytes, int32 numBytes)
{
    _Limited([&] { BTextControl::KeyDown(bytes, numBytes); });
}

void OrderWindowField::MessageReceived(BMessage* message)
{
    _Limited([&] { BTextControl::MessageReceived(message); });
}
