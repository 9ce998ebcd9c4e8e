// A value field edited in place: it shows "prefix value"; a click opens a
// text field over it, Return takes the text and tells the application.
#pragma once

#include <memory>
#include <string>

#include "kit/interface/View.h"

class BMessage;
class BTextControl;

class TIOView : public BView
{
public:
    // Closed and open heights.
    static constexpr float kHeight = 16;
    static constexpr float kEditHeight = 20;

    // Takes ownership of message, which is posted to the application with
    // the value in its string "text".
    TIOView(BRect frame, const char* name, const char* prefix, const char* value, BMessage* message,
            uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP);
    ~TIOView() override;

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void MessageReceived(BMessage* message) override;

    void SetText(const char* value);
    // Takes the open field's text; 'IOVM' also closes the field.
    void GetTextCont(BMessage* message);
    // Opens the inline field "TIOnam" with the value.
    void AddBTC();
    void DecBTC();
    void MouseClick();

    const std::string& Value() const { return fValue; }
    const std::string& Shown() const { return fShown; }
    bool IsEditing() const { return fField != nullptr; }
    BTextControl* Field() const { return fField; }

private:
    // Closes the field, gives up the focus and tells the application.
    void _Commit();

    std::string fPrefix;
    std::string fShown;
    std::string fValue;
    std::unique_ptr<BMessage> fMessage;
    BTextControl* fField = nullptr;
    bool fHovered = false;
};
