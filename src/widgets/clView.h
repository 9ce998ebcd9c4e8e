// The label button of the windows: a text (with a prefix) on a bevelled
// face that acts by mode, can be lit, marked as trouble, or framed by dots.
#pragma once

#include <string>

#include "kit/interface/Control.h"

class clView : public BControl
{
public:
    // Modes: a click flashes, waits and posts; posts and lights up under
    // the pointer; a passive label without frame; posts.
    enum
    {
        kFlash = 0,
        kHover = 1,
        kLabel = 2,
        kPost = 3,
    };

    // Takes ownership of message, which goes to the window unless another
    // target is set.
    clView(BRect frame, const char* text, BMessage* message, int32 mode = kPost,
           const char* name = "clv", uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP);
    ~clView() override;

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void MouseUp(BPoint where) override;
    void MessageReceived(BMessage* message) override;

    // Each redraws when redraw is set.
    void SetPrevText(const char* text, bool redraw);
    void SetText(const char* text, bool redraw);
    void SetSpot(bool lit, bool redraw);
    void SetModus(int32 mode, bool redraw);
    // Redraws when the flag changes.
    void SetTrouble(bool trouble);
    void SetDotted(bool dotted, bool redraw);

    bool SpotStat() const { return fSpot; }
    bool Trouble() const { return fTrouble; }
    int32 Modus() const { return fModus; }
    const std::string& Text() const { return fText; }
    const std::string& PrevText() const { return fPrevText; }

private:
    void _Redraw(bool redraw);
    rgb_color _FaceColor() const;

    std::string fText;
    std::string fPrevText;
    int32 fModus;
    bool fSpot = false;
    bool fTrouble = false;
    bool fDotted = false;
    bool fHovered = false;
    rgb_color fViewCol;
    rgb_color fLightCol;
    rgb_color fDarkCol;
};
