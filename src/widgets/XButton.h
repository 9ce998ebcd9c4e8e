// The icon button of the windows' button rows: the picture of the icon
// table's file in "icons", or its label text when there is no picture.
// A click flashes it and posts its message to the application object.
#pragma once

#include <memory>
#include <string>

#include "kit/interface/View.h"

class BBitmap;
class BMessage;

class XButton : public BView
{
public:
    // Every button is this high, whatever frame it is given.
    static constexpr float kHeight = 21;

    // Takes ownership of message.
    XButton(BRect frame, const char* name, const char* label, BMessage* message,
            uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP);
    ~XButton() override;

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void MessageReceived(BMessage* message) override;

    // The picture of the icon table's entry; a name without a picture (or
    // an index outside the table) leaves a text button. Index 2 gets the
    // tool tip "Print the View".
    void SetBitmap(int32 index);
    void SetEnabled(bool enabled);
    // The hover state: the picture moves up to the left.
    void SetImgPos(bool hovered);
    // Flashes and posts, when a mouse button is down and the button enabled.
    void MouseClick();
    void SetText(const char* text);

    bool IsEnabled() const { return fEnabled; }
    bool IsHovered() const { return fHovered; }
    bool HasIcon() const { return fIcon != nullptr; }
    const std::string& Text() const { return fText; }
    BMessage* Message() const { return fMessage.get(); }

private:
    void _DrawText();
    void _DrawIcon();
    void _Flash();

    std::unique_ptr<BMessage> fMessage;
    std::unique_ptr<BBitmap> fIcon;
    // fIcon at half its alpha: drawn over the face it averages with it,
    // as blending does, but only where the picture is.
    std::unique_ptr<BBitmap> fGreyIcon;
    std::string fText;
    bool fEnabled = true;
    bool fHovered = false;
    bool fTransparent = false;
    rgb_color fBackground = {237, 242, 235, 255};
    float fImageOffset = 2;
};
