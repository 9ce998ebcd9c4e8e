// The toolkit's gallery: one window with each drawing mode, rotated text, a
// bitmap made in code, the controls, menus and a list, so the team can see
// how the layer looks and behaves. What the user does is printed to
// standard output, one line each ("menu: About", "key: F1",
// "text: hello"), for the end-to-end test.
//
//   kitgallery                              on the desktop (SDL)
//   kitgallery --headless --screenshot FILE the window as a PNG, no display
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "kit/app/Application.h"
#include "kit/app/IdleLoopers.h"
#include "kit/app/Invoker.h"
#include "kit/display/DisplayBackend.h"
#include "kit/display/HeadlessBackend.h"
#include "kit/interface/Alert.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/Box.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/Cursor.h"
#include "kit/interface/ListView.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/RadioButton.h"
#include "kit/interface/ScrollView.h"
#include "kit/interface/StringItem.h"
#include "kit/interface/StringView.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/View.h"
#include "kit/interface/Window.h"

namespace {

// Geometry the end-to-end test relies on: the drawing-mode samples.
constexpr float kSampleTop = 36;
constexpr float kSampleLeft = 10;
constexpr float kSampleStep = 100;
constexpr float kSampleSize = 90;
constexpr rgb_color kSampleBackground = {0, 102, 204, 255};
constexpr rgb_color kSampleSource = {255, 128, 0, 128};

enum : uint32
{
    kMsgButton = 'gBTN',
    kMsgCheck = 'gCHK',
    kMsgRadio = 'gRAD',
    kMsgText = 'gTXT',
    kMsgList = 'gLST',
    kMsgMenu = 'gMNU',
    kMsgBusy = 'gBSY',
    kMsgAlert = 'gALR',
    kMsgAlertDone = 'gALD',
};

BMenuItem* menu_item(const char* label, char shortcut = 0)
{
    auto* message = new BMessage(kMsgMenu);
    message->AddString("label", label);
    return new BMenuItem(label, message, shortcut);
}

void say(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
    std::fflush(stdout);
}

const char* function_key_name(int32 key)
{
    static const char* names[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                  "F7", "F8", "F9", "F10", "F11", "F12"};
    return key >= B_F1_KEY && key <= B_F12_KEY ? names[key - B_F1_KEY] : nullptr;
}

// MARK: Drawing samples

// One drawing mode: the source colour (orange, alpha 128) over a blue
// background, in the middle of the sample.
class ModeSample : public BView
{
public:
    ModeSample(BPoint where, drawing_mode mode, const char* name)
        : BView(BRect(where.x, where.y, where.x + kSampleSize - 1, where.y + kSampleSize + 15),
                name, B_FOLLOW_NONE, B_WILL_DRAW),
          fMode(mode)
    {
        SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
    }

    void Draw(BRect) override
    {
        SetDrawingMode(B_OP_COPY);
        SetHighColor(kSampleBackground);
        FillRect(BRect(0, 0, kSampleSize - 1, kSampleSize - 1));
        SetHighColor(kSampleSource);
        SetDrawingMode(fMode);
        FillRect(BRect(20, 20, kSampleSize - 21, kSampleSize - 21));
        SetDrawingMode(B_OP_OVER);
        SetHighColor(0, 0, 0);
        DrawString(Name(), BPoint(2, kSampleSize + 12));
    }

private:
    drawing_mode fMode;
};

class RotatedText : public BView
{
public:
    explicit RotatedText(BRect frame) : BView(frame, "rotated", B_FOLLOW_NONE, B_WILL_DRAW)
    {
        SetViewColor(255, 255, 230);
    }

    void Draw(BRect) override
    {
        BFont font;
        GetFont(&font);
        font.SetRotation(90);
        font.SetSize(14);
        SetFont(&font);
        SetHighColor(120, 0, 0);
        SetDrawingMode(B_OP_OVER);
        DrawString("Vertical text", BPoint(Bounds().Width() - 8, Bounds().Height() - 4));
    }
};

// A picture made in code: a colour ramp with a dark circle, drawn with
// DrawBitmap.
class BitmapSample : public BView
{
public:
    explicit BitmapSample(BPoint where)
        : BView(BRect(where.x, where.y, where.x + 63, where.y + 63), "bitmap", B_FOLLOW_NONE,
                B_WILL_DRAW),
          fBitmap(BRect(0, 0, 63, 63), B_RGB32)
    {
        auto* bits = static_cast<uint8*>(fBitmap.Bits());
        for (int32 y = 0; y < 64; y++) {
            auto* row = reinterpret_cast<uint32*>(bits + y * fBitmap.BytesPerRow());
            for (int32 x = 0; x < 64; x++) {
                int32 dx = x - 32, dy = y - 32;
                bool ring = dx * dx + dy * dy < 400 && dx * dx + dy * dy > 200;
                uint32 red = ring ? 40 : uint32(x * 4), green = ring ? 40 : uint32(y * 4);
                uint32 blue = ring ? 40 : 160;
                row[x] = 0xff000000u | red << 16 | green << 8 | blue;
            }
        }
    }

    void Draw(BRect) override { DrawBitmap(&fBitmap, BPoint(0, 0)); }

private:
    BBitmap fBitmap;
};

// A place that opens a pop-up menu under the pointer when clicked.
class PopUpArea : public BView
{
public:
    explicit PopUpArea(BRect frame) : BView(frame, "pop-up area", B_FOLLOW_NONE, B_WILL_DRAW)
    {
        SetViewColor(236, 236, 236);
    }

    void Draw(BRect) override
    {
        SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
        StrokeRect(Bounds());
        SetHighColor(0, 0, 0);
        SetDrawingMode(B_OP_OVER);
        DrawString("Click for a pop-up", BPoint(6, 16));
    }

    void MouseDown(BPoint where) override
    {
        auto* menu = new BPopUpMenu("colours", false, false);
        for (const char* label : {"Red", "Green", "Blue"})
            menu->AddItem(menu_item(label));
        menu->SetTargetForItems(Window());
        menu->SetAsyncAutoDestruct(true);
        menu->Go(ConvertToScreen(where), true, false, true);
    }
};

// MARK: The window

class GalleryWindow : public BWindow
{
public:
    GalleryWindow()
        : BWindow(BRect(40, 40, 759, 479), "Kit gallery", B_TITLED_WINDOW, B_NOT_ZOOMABLE)
    {
        auto* background = new BView(Bounds(), "background", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
        background->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
        AddChild(background);
        fRoot = background;

        _AddMenus();
        _AddDrawingModes();
        _AddPictures();
        _AddControls();
        _AddList();
        fStatus = new BStringView(BRect(10, Bounds().bottom - 20, 700, Bounds().bottom - 4),
                                  "status", "Ready.");
        fRoot->AddChild(fStatus);
        SetSizeLimits(400, 2000, 300, 2000);
    }

    void DispatchMessage(BMessage* message, BHandler* handler) override
    {
        // Function keys are reported wherever the focus is.
        if (message->what == B_KEY_DOWN) {
            if (const char* name = function_key_name(message->GetInt32("key", 0)))
                _Report("key: %s", name);
        }
        BWindow::DispatchMessage(message, handler);
    }

    void MessageReceived(BMessage* message) override
    {
        switch (message->what) {
        case kMsgButton:
            return _Report("button: Press");
        case kMsgCheck:
            return _Report("check: %d", fCheck->Value());
        case kMsgRadio:
            return _Report("radio: %s", message->GetString("label", "?"));
        case kMsgText:
            return _Report("text: %s", fText->Text());
        case kMsgList:
            return _ReportList();
        case kMsgMenu:
            return _Report("menu: %s", message->GetString("label", "?"));
        case kMsgBusy:
            return _ToggleBusy();
        case kMsgAlert:
            return _ShowAlert();
        case kMsgAlertDone:
            return _Report("alert: %s", message->GetInt32("which", -1) == 1 ? "OK" : "Cancel");
        default:
            return BWindow::MessageReceived(message);
        }
    }

    void FrameResized(float width, float height) override
    {
        say("window: resized %.0fx%.0f", width + 1, height + 1);
    }

    void WindowActivated(bool active) override
    {
        if (active)
            say("window: active");
    }

    // The application closes the window (GalleryApp::QuitRequested()), so
    // that it is gone before the program ends.
    bool QuitRequested() override
    {
        say("quit");
        be_app->PostMessage(B_QUIT_REQUESTED);
        return false;
    }

private:
    void _AddMenus()
    {
        auto* bar = new BMenuBar(BRect(0, 0, Bounds().right, 19), "menu bar");
        auto* file = new BMenu("File");
        file->AddItem(menu_item("About"));
        file->AddSeparatorItem();
        file->AddItem(new BMenuItem("Quit", new BMessage(B_QUIT_REQUESTED), 'Q'));
        bar->AddItem(file);

        auto* view = new BMenu("View");
        auto* zoom = new BMenu("Zoom");
        zoom->AddItem(menu_item("Zoom in", '+'));
        zoom->AddItem(menu_item("Zoom out", '-'));
        view->AddItem(zoom);
        view->AddItem(menu_item("Grid", 'G'));
        BMenuItem* disabled = menu_item("Disabled");
        disabled->SetEnabled(false);
        view->AddItem(disabled);
        bar->AddItem(view);
        fRoot->AddChild(bar);
    }

    void _AddDrawingModes()
    {
        struct
        {
            drawing_mode mode;
            const char* name;
        } const modes[] = {
            {B_OP_COPY, "COPY"}, {B_OP_OVER, "OVER"},   {B_OP_BLEND, "BLEND"},   {B_OP_MIN, "MIN"},
            {B_OP_MAX, "MAX"},   {B_OP_ALPHA, "ALPHA"}, {B_OP_INVERT, "INVERT"},
        };
        float x = kSampleLeft;
        for (const auto& each : modes) {
            fRoot->AddChild(new ModeSample(BPoint(x, kSampleTop), each.mode, each.name));
            x += kSampleStep;
        }
    }

    void _AddPictures()
    {
        fRoot->AddChild(new RotatedText(BRect(10, 150, 39, 279)));
        fRoot->AddChild(new BitmapSample(BPoint(50, 150)));
    }

    void _AddControls()
    {
        auto* box = new BBox(BRect(130, 146, 439, 396), "controls");
        box->SetLabel("Controls");
        fRoot->AddChild(box);

        fText =
            new BTextControl(BRect(10, 20, 290, 40), "text", "Text:", "", new BMessage(kMsgText));
        box->AddChild(fText);
        box->AddChild(
            new BButton(BRect(10, 50, 100, 74), "button", "Press", new BMessage(kMsgButton)));
        fCheck =
            new BCheckBox(BRect(120, 52, 290, 70), "check", "Check me", new BMessage(kMsgCheck));
        box->AddChild(fCheck);
        for (int32 i = 0; i < 2; i++) {
            const char* label = i == 0 ? "Radio A" : "Radio B";
            auto* message = new BMessage(kMsgRadio);
            message->AddString("label", label);
            auto* radio =
                new BRadioButton(BRect(10, 84 + 22 * i, 150, 102 + 22 * i), label, label, message);
            if (i == 0)
                radio->SetValue(B_CONTROL_ON);
            box->AddChild(radio);
        }
        box->AddChild(
            new BButton(BRect(160, 84, 290, 108), "busy", "Busy cursor", new BMessage(kMsgBusy)));
        box->AddChild(new BStringView(BRect(10, 140, 290, 156), "note",
                                      "A string view; Tab moves the focus."));
        auto* shifts = new BPopUpMenu("Early");
        for (const char* label : {"Early", "Late", "Night"})
            shifts->AddItem(menu_item(label));
        shifts->ItemAt(0)->SetMarked(true);
        box->AddChild(new BMenuField(BRect(10, 166, 290, 186), "shift", "Shift:", shifts));
        box->AddChild(new BButton(BRect(10, 200, 120, 224), "alert",
                                  "Alert"
                                  "\u2026",
                                  new BMessage(kMsgAlert)));
        box->AddChild(new PopUpArea(BRect(140, 200, 290, 236)));
    }

    void _AddList()
    {
        auto* list = new BListView(BRect(460, 150, 680, 300), "list", B_MULTIPLE_SELECTION_LIST);
        const char* items[] = {"Monday",     "Tuesday",  "Wednesday", "Thursday",    "Friday",
                               "Saturday",   "Sunday",   "Holiday",   "Night shift", "Early shift",
                               "Late shift", "Stand-by", "Training",  "Inventory"};
        for (const char* item : items)
            list->AddItem(new BStringItem(item));
        list->SetSelectionMessage(new BMessage(kMsgList));
        fList = list;
        fRoot->AddChild(
            new BScrollView("list scroll", list, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0, false, true));
    }

    void _ReportList()
    {
        std::string selected;
        for (int32 i = 0, index; (index = fList->CurrentSelection(i)) >= 0; i++)
            selected += (i > 0 ? "," : "") + std::to_string(index);
        _Report("list: %s", selected.c_str());
    }

    void _ToggleBusy()
    {
        fBusy = !fBusy;
        BCursor busy(B_CURSOR_ID_PROGRESS);
        be_app->SetCursor(fBusy ? &busy : B_CURSOR_SYSTEM_DEFAULT);
        _Report("cursor: %s", fBusy ? "busy" : "normal");
    }

    void _ShowAlert()
    {
        auto* alert = new BAlert("Gallery alert", "An alert with two buttons.", "Cancel", "OK",
                                 nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT);
        alert->Go(new BInvoker(new BMessage(kMsgAlertDone), this));
        _Report("alert: shown");
    }

    void _Report(const char* format, ...)
    {
        char line[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(line, sizeof(line), format, args);
        va_end(args);
        say("%s", line);
        fStatus->SetText(line);
    }

    BView* fRoot = nullptr;
    BStringView* fStatus = nullptr;
    BTextControl* fText = nullptr;
    BCheckBox* fCheck = nullptr;
    BListView* fList = nullptr;
    bool fBusy = false;
};

class GalleryApp : public BApplication
{
public:
    GalleryApp() : BApplication("application/x-vnd.vantrel-kitgallery") {}

    void ReadyToRun() override
    {
        fWindow = new GalleryWindow;
        fWindow->Show();
        say("gallery: ready");
    }

    bool QuitRequested() override
    {
        // From this thread Quit() waits until the window is deleted.
        if (fWindow != nullptr && fWindow->Lock())
            fWindow->Quit();
        fWindow = nullptr;
        return true;
    }

private:
    GalleryWindow* fWindow = nullptr;
};

int take_screenshot(const char* path)
{
    DisplayBackend* backend = InstallDisplayBackend("headless");
    auto* headless = dynamic_cast<HeadlessBackend*>(backend);
    if (headless == nullptr)
        return 1;
    GalleryApp app;
    auto* window = new GalleryWindow;
    window->Show();
    wait_for_idle_loopers();
    status_t status = headless->SavePNG(window, path);
    window->Lock();
    window->Quit();
    if (status != B_OK) {
        std::fprintf(stderr, "kitgallery: cannot write %s\n", path);
        return 1;
    }
    say("screenshot: %s", path);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool headless = false;
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--headless") == 0)
            headless = true;
        else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else {
            std::fprintf(stderr, "usage: kitgallery [--headless --screenshot FILE]\n");
            return 2;
        }
    }
    if (headless || screenshot != nullptr) {
        if (screenshot == nullptr) {
            std::fprintf(stderr, "kitgallery: --headless needs --screenshot FILE\n");
            return 2;
        }
        return take_screenshot(screenshot);
    }

    if (InstallDisplayBackend(nullptr) == nullptr)
        return 1;
    GalleryApp app;
    app.Run();
    return 0;
}
