// A small label button of the cards: the date picker's cells, its month and
// year buttons, and the cards' date fields. It behaves as the program's label
// buttons do, by mode:
//   0  flashes, then posts its message (OK and Cancel)
//   2  a passive label: never posts
//   1, 3  posts its message on the press
// A lit cell is drawn in "CL Mouseover". The text is drawn centred after an
// optional prefix ("from: " before a date field's day).
#pragma once

#include <string>

#include "kit/interface/Control.h"

class DayCell : public BControl
{
public:
    // Takes ownership of message; it goes to the window.
    DayCell(BRect frame, const char* name, const char* text, BMessage* message, int32 mode);
    ~DayCell() override;

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseUp(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void KeyDown(const char* bytes, int32 numBytes) override;

    // The bool asks for a redraw.
    void SetText(const char* text, bool redraw = true);
    void SetPrevText(const char* text, bool redraw = true);
    void SetSpot(bool lit, bool redraw = true);
    void SetModus(int32 mode, bool redraw = true);

    const std::string& Text() const { return fText; }
    bool SpotStat() const { return fLit; }
    int32 Modus() const { return fMode; }

private:
    std::string fText;
    std::string fPrefix;
    int32 fMode;
    bool fLit = false;
};
