// The preferences card: the option bits of prefsdata as check boxes, the
// snapshot format, and the colour slots with a small editor.
//
//     new PrefsView(BRect(0, 0, 339, 277))
//
// The card window (ConfigCard, card type 4) puts it into its background
// view; the contents are laid out for kSize from the frame's left top.
// Opening remembers prefsdata and the snapshot name for "Undo" and shows
// slot 0. Check boxes, radio buttons, the slot menu, the colour editor and
// "Undo" send to this view; "Save & Close" ('__OK') goes to the window,
// which closes the card. Changes take effect at once; when the view goes,
// the colour file and the settings file are written.
//
// Colours come in by a drop (a colour, or a "#RRGGBB" text), by Ctrl+V
// with the colour field or the hex field in focus, by typing into the hex
// field or the red, green and blue fields, and by their - and + buttons
// (1 a click, 16 with Shift). A slot keeps its alpha whatever comes in.
#pragma once

#include <string>

#include "kit/interface/View.h"

class BButton;
class BCheckBox;
class BMenuField;
class BRadioButton;
class BTextControl;
class ColorField;

class PrefsView : public BView
{
public:
    static constexpr float kWidth = 340;
    static constexpr float kHeight = 278;

    // Commands of the card and its colour editor.
    enum : uint32
    {
        kMsgJpeg = 'SJPG',
        kMsgGif = 'SGIF',
        kMsgPng = 'SPNG',
        kMsgSlot = 'SCOL',
        kMsgUndo = 'PCAN',
        kMsgClose = '__OK',
        kMsgHolidays = 'S_09',
        // The hex field: Enter or leaving it, and every change typed.
        kMsgHex = 'PHEX',
        kMsgHexTyped = 'PHXT',
        // A red, green or blue field ("channel" 0..2): Enter or leaving it.
        kMsgChannel = 'PCHN',
        // A - or + button: "channel", "delta" -1 or 1.
        kMsgStep = 'PSTP',
    };

    explicit PrefsView(BRect frame);
    ~PrefsView() override;

    void AttachedToWindow() override;
    void MessageReceived(BMessage* message) override;

    // The check boxes from prefsdata.
    void SetConfig();
    int32 SelectedSlot() const { return fSlot; }

private:
    void _Build();
    void _BuildChecks();
    void _BuildSnapshot();
    void _BuildColors();
    BCheckBox* _AddCheck(BView* box, int32 row, int32 index);

    // prefsdata := the bits of the checked boxes.
    void _ReadChecks();
    void _ShowSnapshotFormat();
    void _Undo();
    void _SelectSlot(int32 slot);
    // Stores red, green and blue into the selected slot and shows it; the
    // field the user is typing in is left as it is.
    void _ApplyColor(rgb_color color, const BView* typingIn = nullptr);
    void _ShowColor(const BView* typingIn = nullptr);
    void _HexEntered(bool typed);
    void _ChannelEntered(const BMessage* message);
    void _Step(const BMessage* message);
    // A dropped colour or "#RRGGBB" text; for a paste, else the clipboard.
    void _TakeColor(const BMessage* message);

    int32 fSavedPrefs;
    std::string fSavedSnapshot;
    int32 fSlot = 0;

    BCheckBox* fChecks[8] = {};
    BRadioButton* fFormats[3] = {};
    BMenuField* fSlotField = nullptr;
    ColorField* fColorField = nullptr;
    BTextControl* fHex = nullptr;
    BTextControl* fChannels[3] = {};
    BButton* fSteppers[6] = {};
};
