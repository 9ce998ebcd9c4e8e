#include "kit/interface/Alert.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>

#include "kit/app/Debug.h"
#include "kit/app/Invoker.h"
#include "kit/app/Message.h"
#include "kit/display/DisplayBackend.h"
#include "kit/interface/AlertLog.h"
#include "kit/interface/ModalWait.h"
#include "kit/interface/View.h"

namespace {

enum : uint32
{
    kButtonPressed = '_ABP',
};

constexpr float kWidth = 310;
constexpr float kStripe = 30;
constexpr float kMargin = 10;
constexpr float kButtonHeight = 24;
constexpr float kUsualButtonWidth = 75;

rgb_color background()
{
    return ui_color(B_PANEL_BACKGROUND_COLOR);
}

// A push button of the alert: pressing it inside and releasing it inside
// tells the window its index.
class AlertButton : public BView
{
public:
    AlertButton(BRect frame, const char* label, int32 index, bool isDefault)
        : BView(frame, label, B_FOLLOW_NONE, B_WILL_DRAW), fLabel(label), fIndex(index),
          fDefault(isDefault)
    {
        SetViewColor(background());
    }

    void Draw(BRect) override
    {
        BRect bounds = Bounds();
        SetHighColor(fPressed ? tint_color(background(), B_DARKEN_2_TINT)
                              : tint_color(background(), B_LIGHTEN_1_TINT));
        FillRect(bounds.InsetByCopy(1, 1));
        SetHighColor(tint_color(background(), B_DARKEN_4_TINT));
        StrokeRect(bounds);
        if (fDefault)
            StrokeRect(bounds.InsetByCopy(1, 1));
        font_height metrics;
        GetFontHeight(&metrics);
        float width = StringWidth(fLabel.c_str());
        SetHighColor(ui_color(B_CONTROL_TEXT_COLOR));
        DrawString(fLabel.c_str(),
                   BPoint(std::floor((bounds.Width() - width) / 2),
                          std::floor((bounds.Height() + metrics.ascent - metrics.descent) / 2)));
    }

    void MouseDown(BPoint) override
    {
        fPressed = true;
        Invalidate();
    }

    void MouseUp(BPoint where) override
    {
        if (!fPressed)
            return;
        fPressed = false;
        Invalidate();
        if (Bounds().Contains(where)) {
            BMessage pressed(kButtonPressed);
            pressed.AddInt32("which", fIndex);
            Window()->PostMessage(&pressed);
        }
    }

private:
    std::string fLabel;
    int32 fIndex;
    bool fDefault;
    bool fPressed = false;
};

// The alert's background: the stripe with the picture of its kind and the
// text.
class AlertView : public BView
{
public:
    AlertView(BRect frame, alert_type type, std::vector<std::string> lines)
        : BView(frame, "alert", B_FOLLOW_ALL_SIDES, B_WILL_DRAW), fType(type),
          fLines(std::move(lines))
    {
        SetViewColor(background());
    }

    void Draw(BRect) override
    {
        if (fType != B_EMPTY_ALERT) {
            SetHighColor(tint_color(background(), B_DARKEN_1_TINT));
            FillRect(BRect(0, 0, kStripe - 1, Bounds().bottom));
            _DrawIcon(BRect(18, 6, 49, 37));
        }
        font_height metrics;
        GetFontHeight(&metrics);
        float lineHeight = std::ceil(metrics.ascent + metrics.descent + metrics.leading);
        float x = fType != B_EMPTY_ALERT ? 60 : kMargin;
        float y = 12 + std::ceil(metrics.ascent);
        SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
        for (const std::string& line : fLines) {
            DrawString(line.c_str(), BPoint(x, y));
            y += lineHeight;
        }
    }

private:
    void _DrawIcon(BRect box)
    {
        BPoint center((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        switch (fType) {
        case B_INFO_ALERT:
            SetHighColor(56, 92, 220);
            FillEllipse(box);
            SetHighColor(255, 255, 255);
            FillRect(BRect(center.x - 2, center.y - 3, center.x + 1, center.y + 9));
            FillRect(BRect(center.x - 2, center.y - 10, center.x + 1, center.y - 7));
            break;
        case B_IDEA_ALERT:
            SetHighColor(255, 216, 0);
            FillEllipse(box.InsetByCopy(3, 0).OffsetByCopy(0, -3));
            SetHighColor(120, 120, 120);
            FillRect(BRect(center.x - 5, box.bottom - 7, center.x + 4, box.bottom));
            break;
        case B_WARNING_ALERT:
            SetHighColor(255, 200, 0);
            FillTriangle(BPoint(center.x, box.top), BPoint(box.right, box.bottom),
                         BPoint(box.left, box.bottom));
            SetHighColor(0, 0, 0);
            FillRect(BRect(center.x - 1, box.top + 10, center.x + 1, box.bottom - 9));
            FillRect(BRect(center.x - 1, box.bottom - 6, center.x + 1, box.bottom - 4));
            break;
        case B_STOP_ALERT:
            SetHighColor(210, 30, 30);
            FillEllipse(box);
            SetHighColor(255, 255, 255);
            FillRect(BRect(box.left + 7, center.y - 2, box.right - 7, center.y + 1));
            break;
        case B_EMPTY_ALERT:
            break;
        }
    }

    alert_type fType;
    std::vector<std::string> fLines;
};

float text_width(const std::string& text)
{
    return be_plain_font->StringWidth(text.c_str());
}

} // namespace

struct BAlert::Result
{
    BPrivate::UserWait wait;
    // Written before wait.Finish().
    int32 which = -1;
};

BAlert::BAlert(const char* title, const char* text, const char* button0, const char* button1,
               const char* button2, button_width width, alert_type type)
    : BWindow(BRect(0, 0, kWidth - 1, 99), title, B_MODAL_WINDOW_LOOK, B_MODAL_APP_WINDOW_FEEL,
              B_NOT_RESIZABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE),
      fText(text != nullptr ? text : ""), fType(type)
{
    for (const char* label : {button0, button1, button2}) {
        if (label == nullptr)
            break;
        fButtons.push_back(label);
        fShortcuts.push_back(0);
    }
    ASSERT_WITH_MESSAGE(!fButtons.empty(), "BAlert: an alert needs a button");
    if (fButtons.empty()) {
        fButtons.push_back("OK");
        fShortcuts.push_back(0);
    }
    _Layout(width);
}

BAlert::~BAlert() = default;

std::vector<std::string> BAlert::_WrapText(const std::string& text, float width)
{
    std::string expanded;
    for (char c : text)
        expanded += c == '\t' ? std::string("    ") : std::string(1, c);

    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= expanded.size()) {
        size_t end = expanded.find('\n', start);
        if (end == std::string::npos)
            end = expanded.size();
        std::string paragraph = expanded.substr(start, end - start);
        // Breaks at the last blank that lets the line fit; a single word
        // wider than the line stays whole.
        while (text_width(paragraph) > width) {
            size_t cut = paragraph.rfind(' ');
            while (cut != std::string::npos && cut > 0 &&
                   text_width(paragraph.substr(0, cut)) > width)
                cut = paragraph.rfind(' ', cut - 1);
            if (cut == std::string::npos || cut == 0)
                break;
            lines.push_back(paragraph.substr(0, cut));
            paragraph = paragraph.substr(cut + 1);
        }
        lines.push_back(paragraph);
        start = end + 1;
    }
    return lines;
}

void BAlert::_Layout(button_width width)
{
    float textLeft = fType != B_EMPTY_ALERT ? 60 : kMargin;
    std::vector<std::string> lines = _WrapText(fText, kWidth - textLeft - kMargin);
    font_height metrics;
    be_plain_font->GetHeight(&metrics);
    float lineHeight = std::ceil(metrics.ascent + metrics.descent + metrics.leading);
    float textBottom = 12 + lines.size() * lineHeight;
    if (fType != B_EMPTY_ALERT)
        textBottom = std::max(textBottom, 40.0f);
    float height = textBottom + 12 + kButtonHeight + kMargin;
    ResizeTo(kWidth - 1, height - 1);
    AddChild(new AlertView(Bounds(), fType, lines));

    std::vector<float> widths;
    float widest = 0;
    for (const std::string& label : fButtons) {
        float fit = std::ceil(text_width(label)) + 20;
        widths.push_back(width == B_WIDTH_FROM_LABEL ? fit : std::max(fit, kUsualButtonWidth));
        widest = std::max(widest, widths.back());
    }
    if (width == B_WIDTH_FROM_WIDEST)
        std::fill(widths.begin(), widths.end(), widest);

    float right = kWidth - 1 - kMargin;
    float top = height - kMargin - kButtonHeight;
    std::vector<BView*> views(fButtons.size());
    for (int32 i = CountButtons() - 1; i >= 0; i--) {
        BRect frame(right - widths[i] + 1, top, right, top + kButtonHeight - 1);
        views[i] = new AlertButton(frame, fButtons[i].c_str(), i, i == CountButtons() - 1);
        right = frame.left - kMargin;
    }
    for (BView* view : views)
        ChildAt(0)->AddChild(view);
    fButtonViews = views;
}

void BAlert::SetShortcut(int32 index, char key)
{
    if (index >= 0 && index < CountButtons())
        fShortcuts[index] = key;
}

char BAlert::Shortcut(int32 index) const
{
    return index >= 0 && index < CountButtons() ? fShortcuts[index] : 0;
}

const char* BAlert::ButtonLabel(int32 index) const
{
    return index >= 0 && index < CountButtons() ? fButtons[index].c_str() : nullptr;
}

BRect BAlert::ButtonFrame(int32 index) const
{
    if (index < 0 || index >= CountButtons())
        return BRect(0, 0, -1, -1);
    return fButtonViews[index]->Frame();
}

// MARK: Showing and answering

int32 BAlert::Go()
{
    auto result = std::make_shared<Result>();
    fResult = result;
    _Open();
    // From here on the alert may be gone: only the result is used.
    result->wait.Wait();
    return result->which;
}

status_t BAlert::Go(BInvoker* invoker)
{
    fInvoker.reset(invoker);
    _Open();
    return B_OK;
}

void BAlert::_Open()
{
    BRect screen = _Backend()->ScreenFrame();
    MoveTo(std::round(screen.left + (screen.Width() - Frame().Width()) / 2),
           std::round(screen.top + (screen.Height() - Frame().Height()) / 3));
    AlertRecord record{this, Title(), fText, fButtons, {}, true, -1};
    for (int32 i = 0; i < CountButtons(); i++)
        record.buttonFrames.push_back(ButtonFrame(i));
    // Logged before the window runs: the record is complete when a test
    // sees it, and input sent at once waits in the queue.
    BPrivate::AlertLog::Default().Opened(record);
    Show();
}

void BAlert::DispatchMessage(BMessage* message, BHandler* handler)
{
    if (message->what == B_KEY_DOWN && handler == this) {
        const char* bytes = message->GetString("bytes", "");
        if (bytes[0] == B_ENTER || bytes[0] == B_ESCAPE)
            return _Pressed(CountButtons() - 1);
        for (int32 i = 0; i < CountButtons(); i++) {
            if (fShortcuts[i] != 0 && bytes[0] == fShortcuts[i] && bytes[1] == '\0')
                return _Pressed(i);
        }
    }
    BWindow::DispatchMessage(message, handler);
}

void BAlert::MessageReceived(BMessage* message)
{
    if (message->what == kButtonPressed)
        return _Pressed(message->GetInt32("which", 0));
    BWindow::MessageReceived(message);
}

void BAlert::_Pressed(int32 index)
{
    if (fDone || index < 0 || index >= CountButtons())
        return;
    fDone = true;
    BPrivate::AlertLog::Default().Answered(this, index);
    if (fInvoker != nullptr && fInvoker->Message() != nullptr) {
        BMessage message(*fInvoker->Message());
        message.AddInt32("which", index);
        fInvoker->Invoke(&message);
    }
    if (fResult != nullptr) {
        fResult->which = index;
        fResult->wait.Finish();
    }
    Quit();
}
