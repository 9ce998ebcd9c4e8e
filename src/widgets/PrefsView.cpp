#include "widgets/PrefsView.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "app/AppPost.h"
#include "app/ColorHelpers.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "kit/app/AppDefs.h"
#include "kit/app/Beep.h"
#include "kit/app/Clipboard.h"
#include "kit/app/TypeConstants.h"
#include "kit/interface/Box.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/RadioButton.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/Window.h"
#include "widgets/ColorField.h"

namespace {

constexpr float kFontSize = 10;
constexpr float kRow = 16;
constexpr float kFirstRow = 15;
constexpr rgb_color kCardColor = {216, 216, 216, 255};

struct CheckSpec
{
    const char* name;
    int32 label; // entry of pretxt
    int32 bit;
    uint32 command;
};

// General first, then Calender; fChecks keeps this order.
constexpr CheckSpec kChecks[8] = {
    {"S_01", 2, VTa_SAVEONCLOSE, 'S_01'},  {"S_03", 3, VTa_BORD_BUTT, 'S_03'},
    {"S_04", 4, VTa_USE_IMAGE, 'S_04'},    {"S_08", 8, VTa_USE_LANGUAGE, 'S_08'},
    {"S_05", 5, VTa_SHOWPROZINFO, 'S_05'}, {"S_09", 9, VTa_USE_HOLIDAY, 'S_09'},
    {"S_06", 6, VTa_PB_READY_HIR, 'S_06'}, {"S_07", 7, VTa_SHOW_NAME, 'S_07'},
};

struct FormatSpec
{
    const char* label;
    const char* name;
    uint32 command;
    const char* extension;
    const char* snapshot;
};

constexpr FormatSpec kFormats[3] = {
    {"JPEG", "asj", PrefsView::kMsgJpeg, ".jpg", "vtsnap.jpg"},
    {"GIF", "asg", PrefsView::kMsgGif, ".gif", "vtsnap.gif"},
    {"PNG", "asp", PrefsView::kMsgPng, ".png", "vtsnap.png"},
};

constexpr const char* kChannelLabels[3] = {"R", "G", "B"};

uint8* channel_of(rgb_color& color, int32 channel)
{
    switch (channel) {
    case 0:
        return &color.red;
    case 1:
        return &color.green;
    default:
        return &color.blue;
    }
}

std::string hex_text(rgb_color color)
{
    return "#" + rgb2str(color);
}

// "0" to "255" and nothing else, blanks around allowed.
bool read_channel(const char* text, uint8* value)
{
    std::string_view view(text);
    size_t first = view.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    view = view.substr(first, view.find_last_not_of(' ') - first + 1);
    int number = -1;
    auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), number);
    if (error != std::errc() || end != view.data() + view.size() || number < 0 || number > 255)
        return false;
    *value = static_cast<uint8>(number);
    return true;
}

BBox* make_box(BRect frame, const char* name, const char* title)
{
    auto* box = new BBox(frame, name);
    box->SetLabel(title);
    box->SetFontSize(kFontSize + 1);
    box->SetViewColor(kCardColor);
    box->SetLowColor(kCardColor);
    return box;
}

template <typename Control>
Control* small(Control* control)
{
    control->SetFontSize(kFontSize);
    return control;
}

} // namespace

PrefsView::PrefsView(BRect frame)
    : BView(frame, "prefs", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
      fSavedPrefs(prefsdata.load()), fSavedSnapshot(UserSNAP_IMG)
{
    SetViewColor(kCardColor);
    SetLowColor(kCardColor);
    _Build();
    SetConfig();
    _ShowSnapshotFormat();
    _SelectSlot(0);
}

PrefsView::~PrefsView()
{
    // Colours are written when the card goes; the option bits too, so
    // "Save & Close" keeps them even if the program does not end orderly.
    SetColors();
    Setsettings();
}

// MARK: Building

void PrefsView::_Build()
{
    _BuildChecks();
    _BuildSnapshot();
    _BuildColors();

    float top = kHeight - 25;
    AddChild(small(new BButton(BRect(kWidth - 206, top, kWidth - 111, top + 20), "pcan",
                               STLabel::getLabel(pretxt, 0).c_str(), new BMessage(kMsgUndo))));
    AddChild(small(new BButton(BRect(kWidth - 105, top, kWidth - 5, top + 20), "ok_v",
                               STLabel::getLabel(pretxt, 1).c_str(), new BMessage(kMsgClose))));
}

void PrefsView::_BuildChecks()
{
    BBox* general = make_box(BRect(4, 2, 226, 84), "general", "General");
    BBox* calendar = make_box(BRect(4, 88, kWidth - 5, 170), "calender", "Calender");
    AddChild(general);
    AddChild(calendar);
    for (int32 i = 0; i < 8; i++)
        fChecks[i] = _AddCheck(i < 4 ? general : calendar, i % 4, i);
}

BCheckBox* PrefsView::_AddCheck(BView* box, int32 row, int32 index)
{
    const CheckSpec& spec = kChecks[index];
    float top = kFirstRow + row * kRow;
    BRect frame(8, top, box->Bounds().right - 6, top + kRow - 2);
    auto* check =
        small(new BCheckBox(frame, spec.name, STLabel::getLabel(pretxt, spec.label).c_str(),
                            new BMessage(spec.command)));
    box->AddChild(check);
    return check;
}

void PrefsView::_BuildSnapshot()
{
    BBox* box = make_box(BRect(230, 2, kWidth - 5, 84), "snapshot", "SnapShot");
    AddChild(box);
    for (int32 i = 0; i < 3; i++) {
        float top = kFirstRow + i * kRow;
        fFormats[i] = small(new BRadioButton(BRect(8, top, box->Bounds().right - 6, top + kRow - 2),
                                             kFormats[i].name, kFormats[i].label,
                                             new BMessage(kFormats[i].command)));
        box->AddChild(fFormats[i]);
    }
}

void PrefsView::_BuildColors()
{
    BBox* box = make_box(BRect(4, 174, kWidth - 5, 248), "colors", "Colors");
    AddChild(box);

    auto* menu = new BPopUpMenu("ucol");
    for (int32 slot = 0; slot < kColorSlots; slot++) {
        auto* message = new BMessage(kMsgSlot);
        message->AddInt32("colptr", slot);
        menu->AddItem(new BMenuItem(STLabel::getLabel(colvec, slot).c_str(), message));
    }
    fSlotField = small(new BMenuField(BRect(8, 16, 160, 36), "colMF", "", menu));
    fSlotField->SetDivider(0);
    box->AddChild(fSlotField);

    fColorField = new ColorField(BRect(166, 16, box->Bounds().right - 8, 36), "colsv", "Dropzone");
    box->AddChild(fColorField);

    const float row = 44;
    fHex = small(
        new BTextControl(BRect(8, row, 78, row + 18), "colhex", "", "", new BMessage(kMsgHex)));
    fHex->SetDivider(0);
    fHex->SetModificationMessage(new BMessage(kMsgHexTyped));
    box->AddChild(fHex);

    for (int32 channel = 0; channel < 3; channel++) {
        float left = 86 + channel * 78;
        auto make = [channel](uint32 what) {
            auto* message = new BMessage(what);
            message->AddInt32("channel", channel);
            return message;
        };
        BMessage* down = make(kMsgStep);
        down->AddInt32("delta", -1);
        BMessage* up = make(kMsgStep);
        up->AddInt32("delta", 1);
        static constexpr const char* kDownNames[3] = {"r-", "g-", "b-"};
        static constexpr const char* kUpNames[3] = {"r+", "g+", "b+"};
        static constexpr const char* kFieldNames[3] = {"colr", "colg", "colb"};
        fSteppers[2 * channel] = small(new BButton(BRect(left, row, left + 13, row + 18),
                                                   kDownNames[channel], "\u2212", down));
        fChannels[channel] =
            small(new BTextControl(BRect(left + 16, row, left + 56, row + 18), kFieldNames[channel],
                                   kChannelLabels[channel], "", make(kMsgChannel)));
        fChannels[channel]->SetDivider(10);
        fSteppers[2 * channel + 1] = small(
            new BButton(BRect(left + 59, row, left + 72, row + 18), kUpNames[channel], "+", up));
        box->AddChild(fSteppers[2 * channel]);
        box->AddChild(fChannels[channel]);
        box->AddChild(fSteppers[2 * channel + 1]);
    }
}

void PrefsView::AttachedToWindow()
{
    BView::AttachedToWindow();
    for (BCheckBox* check : fChecks)
        check->SetTarget(this);
    for (BRadioButton* format : fFormats)
        format->SetTarget(this);
    for (BButton* stepper : fSteppers)
        stepper->SetTarget(this);
    for (BTextControl* field : fChannels)
        field->SetTarget(this);
    fHex->SetTarget(this);
    fSlotField->Menu()->SetTargetForItems(this);
    if (auto* undo = dynamic_cast<BButton*>(FindView("pcan")))
        undo->SetTarget(this);
}

// MARK: Messages

void PrefsView::MessageReceived(BMessage* message)
{
    _ReadChecks();
    switch (message->what) {
    case kMsgJpeg:
    case kMsgGif:
    case kMsgPng:
        for (const FormatSpec& format : kFormats) {
            if (format.command == message->what)
                SetSnapshotName(format.snapshot);
        }
        return;
    case kMsgSlot:
        return _SelectSlot(message->GetInt32("colptr", fSlot));
    case B_SIMPLE_DATA:
    case B_PASTE:
        return _TakeColor(message);
    case kMsgHolidays:
        PostToApp('Hrel');
        return;
    case kMsgUndo:
        return _Undo();
    case kMsgHex:
    case kMsgHexTyped:
        return _HexEntered(message->what == kMsgHexTyped);
    case kMsgChannel:
        return _ChannelEntered(message);
    case kMsgStep:
        return _Step(message);
    default:
        // The check boxes' own commands need nothing beyond the bits.
        if (std::find_if(std::begin(kChecks), std::end(kChecks), [&](const CheckSpec& spec) {
                return spec.command == message->what;
            }) == std::end(kChecks))
            BView::MessageReceived(message);
        return;
    }
}

void PrefsView::SetConfig()
{
    int32 bits = prefsdata.load();
    for (int32 i = 0; i < 8; i++)
        fChecks[i]->SetValue((bits & kChecks[i].bit) != 0 ? B_CONTROL_ON : B_CONTROL_OFF);
}

void PrefsView::_ReadChecks()
{
    int32 bits = 0;
    for (int32 i = 0; i < 8; i++) {
        if (fChecks[i]->Value() == B_CONTROL_ON)
            bits |= kChecks[i].bit;
    }
    prefsdata.store(bits);
}

void PrefsView::_ShowSnapshotFormat()
{
    for (int32 i = 0; i < 3; i++) {
        bool chosen = UserSNAP_IMG.Get().find(kFormats[i].extension) != std::string::npos;
        fFormats[i]->SetValue(chosen ? B_CONTROL_ON : B_CONTROL_OFF);
    }
}

void PrefsView::_Undo()
{
    prefsdata.store(fSavedPrefs);
    SetSnapshotName(fSavedSnapshot);
    SetConfig();
    _ShowSnapshotFormat();
    PostToApp('Hrel');
}

// MARK: Colours

void PrefsView::_SelectSlot(int32 slot)
{
    if (slot < 0 || slot >= kColorSlots)
        return;
    fSlot = slot;
    if (BMenuItem* item = fSlotField->Menu()->ItemAt(slot))
        item->SetMarked(true);
    _ShowColor();
}

void PrefsView::_ShowColor(const BView* typingIn)
{
    rgb_color color = AskColor(fSlot);
    fColorField->SetColor(color);
    if (typingIn != fHex)
        fHex->SetText(hex_text(color).c_str());
    for (int32 channel = 0; channel < 3; channel++) {
        if (typingIn != fChannels[channel])
            fChannels[channel]->SetText(std::to_string(*channel_of(color, channel)).c_str());
    }
}

void PrefsView::_ApplyColor(rgb_color color, const BView* typingIn)
{
    // The slot's alpha stays: illness and vacation are drawn see-through.
    color.alpha = AskColor(fSlot).alpha;
    PokeColor(fSlot, color);
    _ShowColor(typingIn);
}

void PrefsView::_HexEntered(bool typed)
{
    rgb_color color = AskColor(fSlot);
    if (str2rgb(fHex->Text(), &color))
        return _ApplyColor(color, typed ? fHex : nullptr);
    // Half a colour while typing is fine; entered, it is refused.
    if (!typed) {
        beep();
        _ShowColor();
    }
}

// Only when entered: while "255" is typed, "2" and "25" are no values meant.
void PrefsView::_ChannelEntered(const BMessage* message)
{
    int32 channel = message->GetInt32("channel", -1);
    if (channel < 0 || channel > 2)
        return;
    rgb_color color = AskColor(fSlot);
    if (read_channel(fChannels[channel]->Text(), channel_of(color, channel)))
        return _ApplyColor(color);
    beep();
    _ShowColor();
}

void PrefsView::_Step(const BMessage* message)
{
    int32 channel = message->GetInt32("channel", -1);
    if (channel < 0 || channel > 2)
        return;
    int32 delta = message->GetInt32("delta", 0);
    if ((modifiers() & B_SHIFT_KEY) != 0)
        delta *= 16;
    rgb_color color = AskColor(fSlot);
    uint8* value = channel_of(color, channel);
    *value = static_cast<uint8>(std::clamp<int32>(*value + delta, 0, 255));
    _ApplyColor(color);
}

void PrefsView::_TakeColor(const BMessage* message)
{
    rgb_color color = AskColor(fSlot);
    const rgb_color unset = {0, 0, 0, 0};
    const rgb_color unsetToo = {255, 255, 255, 255};
    rgb_color carried = HasMsgColor(message, unset);
    // A colour equal to the fallback cannot be told from none: ask twice.
    if (carried != unset || HasMsgColor(message, unsetToo) != unsetToo)
        return _ApplyColor(carried);

    std::string text;
    const void* data = nullptr;
    ssize_t size = 0;
    if (message->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK && data != nullptr) {
        text.assign(static_cast<const char*>(data), size);
    } else if (message->what == B_PASTE && be_clipboard->Lock()) {
        if (be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK &&
            data != nullptr)
            text.assign(static_cast<const char*>(data), size);
        be_clipboard->Unlock();
    }
    if (str2rgb(text, &color))
        return _ApplyColor(color);
    // A dropped file or text that holds no colour.
    beep();
}
