// A small modal window with a picture of its kind, a text and up to three
// buttons. The last button is the default: Enter and Escape press it, and
// SetShortcut() gives any button a key of its own.
//
// Go() shows the alert and blocks the calling thread until a button is
// pressed, then returns its index; other windows keep working meanwhile (see
// ModalWait.h for a window thread that calls it). Go(invoker) returns at
// once and later sends the invoker's message with "which" (int32, the
// button's index) added. Either way the alert deletes itself when done.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kit/interface/Window.h"

class BInvoker;

enum alert_type : uint32
{
    B_EMPTY_ALERT = 0,
    B_INFO_ALERT,
    B_IDEA_ALERT,
    B_WARNING_ALERT,
    B_STOP_ALERT,
};

enum button_width : uint32
{
    B_WIDTH_AS_USUAL = 0,
    B_WIDTH_FROM_WIDEST,
    B_WIDTH_FROM_LABEL,
};

class BAlert : public BWindow
{
public:
    BAlert(const char* title, const char* text, const char* button0, const char* button1 = nullptr,
           const char* button2 = nullptr, button_width width = B_WIDTH_AS_USUAL,
           alert_type type = B_INFO_ALERT);
    ~BAlert() override;

    void SetShortcut(int32 index, char key);
    char Shortcut(int32 index) const;

    int32 Go();
    // Takes ownership of invoker (may be null: nothing is sent).
    status_t Go(BInvoker* invoker);

    const char* Text() const { return fText.c_str(); }
    alert_type Type() const { return fType; }
    int32 CountButtons() const { return static_cast<int32>(fButtons.size()); }
    const char* ButtonLabel(int32 index) const;
    // In window coordinates; invalid for a button that does not exist.
    BRect ButtonFrame(int32 index) const;

    void DispatchMessage(BMessage* message, BHandler* handler) override;
    void MessageReceived(BMessage* message) override;

    // The lines the text is broken into to fit width.
    static std::vector<std::string> _WrapText(const std::string& text, float width);

private:
    struct Result;

    void _Layout(button_width width);
    void _Open();
    void _Pressed(int32 index);

    std::string fText;
    alert_type fType;
    std::vector<std::string> fButtons;
    std::vector<BView*> fButtonViews;
    std::vector<char> fShortcuts;
    std::shared_ptr<Result> fResult;
    std::unique_ptr<BInvoker> fInvoker;
    bool fDone = false;
};
