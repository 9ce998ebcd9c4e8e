#include "kit/interface/TextControl.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "kit/app/Clipboard.h"
#include "kit/app/Message.h"
#include "kit/app/TypeConstants.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

// Space between the field's inner edge and the text or the caret.
constexpr float kTextMargin = 2;
constexpr float kLabelGap = 5;
// The field's bevel and frame.
constexpr float kBoxInset = 2;

bool is_continuation(char byte)
{
    return (static_cast<uint8>(byte) & 0xc0) == 0x80;
}

bool is_word_byte(char byte)
{
    auto value = static_cast<unsigned char>(byte);
    return value >= 0x80 || std::isalnum(value) || byte == '_';
}

} // namespace

// The field itself, as a child view so its text is clipped to the box and
// can scroll sideways; everything it sees goes to the control.
class BTextControl::TextArea : public BView
{
public:
    TextArea(BRect frame, BTextControl* owner)
        : BView(frame, "_text_", B_FOLLOW_ALL_SIDES, B_WILL_DRAW), fOwner(owner)
    {
        SetViewColor(ui_color(B_DOCUMENT_BACKGROUND_COLOR));
    }

    void Draw(BRect) override { fOwner->_DrawArea(this); }
    void MouseDown(BPoint where) override { fOwner->_AreaMouseDown(where); }
    void MouseMoved(BPoint where, uint32, const BMessage*) override
    {
        fOwner->_AreaMouseMoved(where);
    }
    void MouseUp(BPoint) override { fOwner->_AreaMouseUp(); }

private:
    BTextControl* fOwner;
};

BTextControl::BTextControl(BRect frame, const char* name, const char* label, const char* text,
                           BMessage* message, uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags),
      fText(BFont::_ValidText(text != nullptr ? text : ""))
{
    fDivider = Label()[0] != '\0' ? std::ceil(StringWidth(Label())) + kLabelGap : 0;
    fAnchor = fCaret = TextLength();
    fArea = new TextArea(BRect(0, 0, 0, 0), this);
    AddChild(fArea);
    _LayoutArea();
}

BTextControl::~BTextControl() = default;

// MARK: Hooks

void BTextControl::AttachedToWindow()
{
    BControl::AttachedToWindow();
    _LayoutArea();
}

void BTextControl::MouseDown(BPoint)
{
    // A click on the label.
    if (IsEnabled())
        MakeFocus(true);
}

void BTextControl::MakeFocus(bool focus)
{
    bool was = IsFocus();
    BControl::MakeFocus(focus);
    if (IsFocus() == was)
        return;
    if (IsFocus()) {
        fModified = false;
        SelectAll();
    } else {
        fSelecting = false;
        if (fModified) {
            fModified = false;
            Invoke();
        }
    }
    fArea->Invalidate();
}

void BTextControl::KeyDown(const char* bytes, int32 numBytes)
{
    if (!IsEnabled() || numBytes <= 0)
        return BView::KeyDown(bytes, numBytes);
    const uint32 modifiers = _KeyModifiers();
    const bool shift = (modifiers & B_SHIFT_KEY) != 0;
    if ((modifiers & B_COMMAND_KEY) != 0 && numBytes == 1)
        return _ShortcutKey(bytes, numBytes);
    if (numBytes > 1)
        return _Insert(BFont::_ValidText(bytes, numBytes));

    switch (bytes[0]) {
    case B_ENTER:
        return _EnterPressed();
    case B_BACKSPACE:
        return _RemoveCharacter(_PreviousBoundary(fCaret));
    case B_DELETE:
        return _RemoveCharacter(_NextBoundary(fCaret));
    case B_LEFT_ARROW:
        return _MoveLeft(shift);
    case B_RIGHT_ARROW:
        return _MoveRight(shift);
    case B_HOME:
        return _MoveCaret(0, shift);
    case B_END:
        return _MoveCaret(TextLength(), shift);
    default:
        return _TypeByte(bytes, numBytes);
    }
}

uint32 BTextControl::_KeyModifiers() const
{
    BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
    return message != nullptr ? uint32(message->GetInt32("modifiers", 0)) : 0;
}

void BTextControl::_ShortcutKey(const char* bytes, int32 numBytes)
{
    switch (std::tolower(static_cast<unsigned char>(bytes[0]))) {
    case 'a':
        return SelectAll();
    case 'c':
        return _Copy();
    case 'x':
        return _Cut();
    case 'v':
        return _Paste();
    default:
        return BView::KeyDown(bytes, numBytes);
    }
}

void BTextControl::_EnterPressed()
{
    fModified = false;
    Invoke();
}

// Removes the selection, or else the character between the caret and
// otherEnd.
void BTextControl::_RemoveCharacter(int32 otherEnd)
{
    if (fAnchor == fCaret)
        fAnchor = otherEnd;
    if (fAnchor == fCaret)
        return;
    _DeleteSelection();
    _Changed();
}

// Without Shift a selection collapses to its edge instead of moving on.
void BTextControl::_MoveLeft(bool shift)
{
    const int32 start = std::min(fAnchor, fCaret);
    _MoveCaret(shift || fAnchor == fCaret ? _PreviousBoundary(fCaret) : start, shift);
}

void BTextControl::_MoveRight(bool shift)
{
    const int32 end = std::max(fAnchor, fCaret);
    _MoveCaret(shift || fAnchor == fCaret ? _NextBoundary(fCaret) : end, shift);
}

// Control characters the field does not use go on to the window.
void BTextControl::_TypeByte(const char* bytes, int32 numBytes)
{
    if (static_cast<uint8>(bytes[0]) < 0x20 || bytes[0] == 0x7f)
        return BView::KeyDown(bytes, numBytes);
    _Insert(BFont::_ValidText(bytes, numBytes));
}

void BTextControl::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case B_COPY:
        return _Copy();
    case B_CUT:
        return _Cut();
    case B_PASTE:
        return _Paste();
    case B_SELECT_ALL:
        return SelectAll();
    default:
        return BControl::MessageReceived(message);
    }
}

void BTextControl::SetEnabled(bool enabled)
{
    if (enabled == IsEnabled())
        return;
    BControl::SetEnabled(enabled);
    fArea->SetViewColor(enabled ? ui_color(B_DOCUMENT_BACKGROUND_COLOR)
                                : tint_color(_BaseColor(), B_LIGHTEN_1_TINT));
    fArea->Invalidate();
}

// MARK: Text and selection

void BTextControl::SetText(const char* text)
{
    fText = BFont::_ValidText(text != nullptr ? text : "");
    fAnchor = fCaret = TextLength();
    if (IsFocus())
        _ScrollToCaret();
    else
        fArea->ScrollTo(0, 0);
    fArea->Invalidate();
}

void BTextControl::Select(int32 start, int32 end)
{
    auto boundary = [&](int32 offset) {
        offset = std::clamp(offset, 0, TextLength());
        while (offset > 0 && offset < TextLength() && is_continuation(fText[offset]))
            offset--;
        return offset;
    };
    fAnchor = boundary(std::min(start, end));
    fCaret = boundary(std::max(start, end));
    _ScrollToCaret();
    fArea->Invalidate();
}

void BTextControl::GetSelection(int32* start, int32* end) const
{
    if (start != nullptr)
        *start = std::min(fAnchor, fCaret);
    if (end != nullptr)
        *end = std::max(fAnchor, fCaret);
}

int32 BTextControl::_PreviousBoundary(int32 offset) const
{
    if (offset <= 0)
        return 0;
    offset--;
    while (offset > 0 && is_continuation(fText[offset]))
        offset--;
    return offset;
}

int32 BTextControl::_NextBoundary(int32 offset) const
{
    if (offset >= TextLength())
        return TextLength();
    offset++;
    while (offset < TextLength() && is_continuation(fText[offset]))
        offset++;
    return offset;
}

void BTextControl::_SelectWord(int32 offset)
{
    int32 start = offset, end = offset;
    while (start > 0 && is_word_byte(fText[start - 1]))
        start--;
    while (end < TextLength() && is_word_byte(fText[end]))
        end++;
    if (start == end)
        end = _NextBoundary(offset);
    fAnchor = start;
    fCaret = end;
}

void BTextControl::_MoveCaret(int32 offset, bool extend)
{
    fCaret = offset;
    if (!extend)
        fAnchor = offset;
    _ScrollToCaret();
    fArea->Invalidate();
}

// MARK: Editing

void BTextControl::_DeleteSelection()
{
    int32 start = std::min(fAnchor, fCaret);
    int32 end = std::max(fAnchor, fCaret);
    fText.erase(start, end - start);
    fAnchor = fCaret = start;
}

void BTextControl::_Insert(const std::string& text)
{
    if (text.empty() && fAnchor == fCaret)
        return;
    _DeleteSelection();
    fText.insert(fCaret, text);
    fCaret += static_cast<int32>(text.size());
    fAnchor = fCaret;
    _Changed();
}

void BTextControl::_Changed()
{
    fModified = true;
    _ScrollToCaret();
    fArea->Invalidate();
    if (fModificationMessage != nullptr)
        Invoke(fModificationMessage.get());
}

void BTextControl::_Copy()
{
    if (fAnchor == fCaret || !be_clipboard->Lock())
        return;
    int32 start = std::min(fAnchor, fCaret);
    std::string selected = fText.substr(start, std::max(fAnchor, fCaret) - start);
    be_clipboard->Clear();
    be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, selected.data(),
                                  static_cast<ssize_t>(selected.size()));
    be_clipboard->Commit();
    be_clipboard->Unlock();
}

void BTextControl::_Cut()
{
    if (fAnchor == fCaret)
        return;
    _Copy();
    _DeleteSelection();
    _Changed();
}

void BTextControl::_Paste()
{
    if (!be_clipboard->Lock())
        return;
    std::string text;
    const void* data = nullptr;
    ssize_t size = 0;
    if (be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK)
        text.assign(static_cast<const char*>(data), static_cast<size_t>(size));
    be_clipboard->Unlock();
    // One line: line breaks and tabs become blanks, other controls go.
    std::string line;
    for (char byte : BFont::_ValidText(text.c_str(), static_cast<int32>(text.size()))) {
        if (byte == '\n' || byte == '\t')
            line += ' ';
        else if (static_cast<uint8>(byte) >= 0x20 && byte != 0x7f)
            line += byte;
    }
    if (!line.empty())
        _Insert(line);
}

// MARK: Geometry

BRect BTextControl::_BoxFrame() const
{
    BRect bounds = Bounds();
    return BRect(bounds.left + fDivider, bounds.top, bounds.right, bounds.bottom);
}

void BTextControl::_LayoutArea()
{
    BRect area = _BoxFrame().InsetByCopy(kBoxInset, kBoxInset);
    if (!area.IsValid())
        area = BRect(area.left, area.top, area.left, area.top);
    fArea->MoveTo(area.LeftTop());
    fArea->ResizeTo(area.Width(), area.Height());
}

// Shared by the label and the text, in the control's coordinates.
float BTextControl::_Baseline() const
{
    font_height height;
    GetFontHeight(&height);
    BRect bounds = Bounds();
    return std::floor(bounds.top + (bounds.Height() + 1 + height.ascent - height.descent) / 2);
}

float BTextControl::_TextLeft() const
{
    float room = fArea->Bounds().Width() + 1 - 2 * kTextMargin;
    float width = StringWidth(fText.c_str());
    if (width >= room || fTextAlignment == B_ALIGN_LEFT)
        return kTextMargin;
    if (fTextAlignment == B_ALIGN_RIGHT)
        return kTextMargin + std::floor(room - width);
    return kTextMargin + std::floor((room - width) / 2);
}

float BTextControl::_OffsetX(int32 offset) const
{
    return _TextLeft() + std::round(StringWidth(fText.c_str(), offset));
}

// The character boundary nearest to x.
int32 BTextControl::_OffsetAt(float x) const
{
    int32 offset = 0;
    float left = _OffsetX(0);
    while (offset < TextLength()) {
        int32 next = _NextBoundary(offset);
        float right = _OffsetX(next);
        if (x < (left + right) / 2)
            return offset;
        offset = next;
        left = right;
    }
    return offset;
}

void BTextControl::_ScrollToCaret()
{
    BRect visible = fArea->Bounds();
    float textRight = _OffsetX(TextLength()) + kTextMargin;
    float x = _OffsetX(fCaret);
    float scroll = visible.left;
    if (x - kTextMargin < scroll)
        scroll = x - kTextMargin;
    else if (x + kTextMargin > scroll + visible.Width())
        scroll = x + kTextMargin - visible.Width();
    // Never leave blank room after the text while part of it is hidden.
    scroll = std::min(scroll, std::max(0.0f, textRight - visible.Width()));
    fArea->ScrollTo(std::max(0.0f, scroll), 0);
}

void BTextControl::SetDivider(float position)
{
    position = std::max(0.0f, std::round(position));
    if (position == fDivider)
        return;
    fDivider = position;
    _LayoutArea();
    Invalidate();
}

void BTextControl::SetAlignment(alignment label, alignment text)
{
    fLabelAlignment = label;
    fTextAlignment = text;
    _ScrollToCaret();
    Invalidate();
    fArea->Invalidate();
}

void BTextControl::GetAlignment(alignment* label, alignment* text) const
{
    if (label != nullptr)
        *label = fLabelAlignment;
    if (text != nullptr)
        *text = fTextAlignment;
}

void BTextControl::SetModificationMessage(BMessage* message)
{
    fModificationMessage.reset(message);
}

// MARK: Mouse

void BTextControl::_AreaMouseDown(BPoint where)
{
    if (!IsEnabled())
        return;
    MakeFocus(true);
    BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
    int32 clicks = message != nullptr ? message->GetInt32("clicks", 1) : 1;
    uint32 modifiers = message != nullptr ? uint32(message->GetInt32("modifiers", 0)) : 0;
    int32 offset = _OffsetAt(where.x);
    if (clicks == 2) {
        _SelectWord(offset);
        fSelecting = false;
    } else {
        fCaret = offset;
        if ((modifiers & B_SHIFT_KEY) == 0)
            fAnchor = offset;
        fSelecting = true;
    }
    _ScrollToCaret();
    fArea->Invalidate();
}

void BTextControl::_AreaMouseMoved(BPoint where)
{
    if (!fSelecting)
        return;
    int32 offset = _OffsetAt(where.x);
    if (offset == fCaret)
        return;
    fCaret = offset;
    _ScrollToCaret();
    fArea->Invalidate();
}

void BTextControl::_AreaMouseUp()
{
    fSelecting = false;
}

// MARK: Drawing

void BTextControl::Draw(BRect)
{
    BStateGuard state(this);
    rgb_color base = _BaseColor();
    float baseline = _Baseline();
    if (Label()[0] != '\0') {
        float width = StringWidth(Label());
        float room = fDivider - kLabelGap;
        float x = Bounds().left;
        if (fLabelAlignment == B_ALIGN_RIGHT)
            x += std::floor(room - width);
        else if (fLabelAlignment == B_ALIGN_CENTER)
            x += std::floor((room - width) / 2);
        SetHighColor(_LabelColor());
        SetLowColor(base);
        SetDrawingMode(B_OP_OVER);
        DrawString(Label(), BPoint(x, baseline));
        SetDrawingMode(B_OP_COPY);
    }

    BRect box = _BoxFrame();
    SetHighColor(tint_color(base, B_DARKEN_1_TINT));
    StrokeLine(box.LeftBottom(), box.LeftTop());
    StrokeLine(box.RightTop());
    SetHighColor(ui_color(B_SHINE_COLOR));
    StrokeLine(box.RightTop() + BPoint(0, 1), box.RightBottom());
    StrokeLine(box.LeftBottom() + BPoint(1, 0));
    box.InsetBy(1, 1);
    if (IsFocus() && IsEnabled())
        SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
    else
        SetHighColor(tint_color(base, IsEnabled() ? B_DARKEN_4_TINT : B_DARKEN_2_TINT));
    StrokeRect(box);
}

void BTextControl::_DrawArea(BView* area)
{
    BFont font;
    GetFont(&font);
    area->SetFont(&font);
    float height = area->Bounds().Height();
    float baseline = _Baseline() - fArea->Frame().top;
    bool focused = IsFocus() && IsEnabled();
    rgb_color background = area->ViewColor();

    if (focused && fAnchor != fCaret) {
        float left = _OffsetX(std::min(fAnchor, fCaret));
        float right = _OffsetX(std::max(fAnchor, fCaret)) - 1;
        rgb_color highlight = tint_color(background, B_HIGHLIGHT_BACKGROUND_TINT);
        area->SetHighColor(highlight);
        area->FillRect(BRect(left, 0, right, height));
    }
    area->SetHighColor(IsEnabled() ? ui_color(B_DOCUMENT_TEXT_COLOR)
                                   : tint_color(_BaseColor(), B_DISABLED_LABEL_TINT));
    area->SetLowColor(background);
    area->SetDrawingMode(B_OP_OVER);
    area->DrawString(fText.c_str(), BPoint(_TextLeft(), baseline));
    area->SetDrawingMode(B_OP_COPY);
    if (focused && fAnchor == fCaret) {
        float x = _OffsetX(fCaret);
        area->SetHighColor(ui_color(B_DOCUMENT_TEXT_COLOR));
        area->StrokeLine(BPoint(x, 1), BPoint(x, height - 1));
    }
}
