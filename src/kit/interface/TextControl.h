// A label and a one-line field of editable UTF-8 text.
//
// The field keeps a caret and a selection: click to place the caret, drag
// or Shift with the arrows to select, double-click for a word, Ctrl+A for
// everything; Left, Right, Home and End move, Backspace and Delete remove
// whole characters; Ctrl+C, Ctrl+X and Ctrl+V use be_clipboard. Tabbing
// into the field selects all of it.
//
// Enter sends the control's message, and so does leaving the field after
// the text was changed. The modification message goes out after every
// change the user makes (not after SetText()). Keys the field does not
// use (function keys, Escape, Up, Down) go on to the window.
#pragma once

#include <memory>
#include <string>

#include "kit/interface/Control.h"

class BTextControl : public BControl
{
public:
    BTextControl(BRect frame, const char* name, const char* label, const char* text,
                 BMessage* message, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
                 uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BTextControl() override;

    void AttachedToWindow() override;
    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void MakeFocus(bool focus = true) override;
    void MessageReceived(BMessage* message) override;
    void SetEnabled(bool enabled) override;

    void SetText(const char* text);
    const char* Text() const { return fText.c_str(); }
    int32 TextLength() const { return static_cast<int32>(fText.size()); }

    // Byte offsets; both ends are moved to character boundaries.
    void Select(int32 start, int32 end);
    void GetSelection(int32* start, int32* end) const;
    void SelectAll() { Select(0, TextLength()); }

    // Where the field starts, from the left edge.
    void SetDivider(float position);
    float Divider() const { return fDivider; }
    void SetAlignment(alignment label, alignment text);
    void GetAlignment(alignment* label, alignment* text) const;

    // Takes ownership.
    void SetModificationMessage(BMessage* message);
    BMessage* ModificationMessage() const { return fModificationMessage.get(); }

private:
    class TextArea;

    // The field's edges, in the control's coordinates.
    BRect _BoxFrame() const;
    void _LayoutArea();
    float _Baseline() const;
    // In the text area's coordinates (which scroll horizontally).
    float _TextLeft() const;
    float _OffsetX(int32 offset) const;
    int32 _OffsetAt(float x) const;
    int32 _PreviousBoundary(int32 offset) const;
    int32 _NextBoundary(int32 offset) const;
    void _SelectWord(int32 offset);
    void _ScrollToCaret();

    uint32 _KeyModifiers() const;
    void _ShortcutKey(const char* bytes, int32 numBytes);
    void _EnterPressed();
    void _RemoveCharacter(int32 otherEnd);
    void _MoveLeft(bool shift);
    void _MoveRight(bool shift);
    void _TypeByte(const char* bytes, int32 numBytes);

    void _Insert(const std::string& text);
    void _DeleteSelection();
    void _Changed();
    void _MoveCaret(int32 offset, bool extend);
    void _Copy();
    void _Cut();
    void _Paste();

    void _AreaMouseDown(BPoint where);
    void _AreaMouseMoved(BPoint where);
    void _AreaMouseUp();
    void _DrawArea(BView* area);

    std::string fText;
    int32 fAnchor = 0;
    int32 fCaret = 0;
    float fDivider;
    alignment fLabelAlignment = B_ALIGN_LEFT;
    alignment fTextAlignment = B_ALIGN_LEFT;
    std::unique_ptr<BMessage> fModificationMessage;
    TextArea* fArea;
    bool fModified = false;
    bool fSelecting = false;
};
