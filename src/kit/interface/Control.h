// A view the user acts on to set a value or start something: it has a
// label, an int32 value and a message it sends to its target (the window
// when none was set) through Invoke().
//
// Controls track the mouse the same way: a press inside arms the control,
// and it acts only if the button is released inside again. A disabled
// control ignores the mouse and the keyboard and draws its label greyed.
#pragma once

#include <string>

#include "kit/app/Invoker.h"
#include "kit/interface/View.h"

enum : int32
{
    B_CONTROL_OFF = 0,
    B_CONTROL_ON = 1,
};

class BControl : public BView, public BInvoker
{
public:
    // Takes ownership of message.
    BControl(BRect frame, const char* name, const char* label, BMessage* message,
             uint32 resizingMode, uint32 flags);
    ~BControl() override;

    void AttachedToWindow() override;
    void MakeFocus(bool focus = true) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void MouseDown(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void MouseUp(BPoint where) override;

    virtual void SetLabel(const char* label);
    const char* Label() const { return fLabel.c_str(); }

    virtual void SetValue(int32 value);
    int32 Value() const { return fValue; }

    virtual void SetEnabled(bool enabled);
    bool IsEnabled() const { return fEnabled; }

    // Adds "be:value" with the current value to what BInvoker sends.
    status_t Invoke(BMessage* message = nullptr) override;

protected:
    // What a click released inside, or space and Enter on the focused
    // control, do; the default invokes.
    virtual void _Activate();
    // The press state changed while tracking the mouse (pressed and the
    // pointer inside, or not); buttons draw themselves pushed in.
    virtual void _PressedChanged(bool pressed);
    bool _IsPressed() const { return fTracking && fInside; }
    bool _IsTracking() const { return fTracking; }

    // The label colour for the enabled state; the base colour controls
    // shade from (the view colour, or the panel colour when transparent).
    rgb_color _LabelColor() const;
    rgb_color _BaseColor() const;
    // A line under the label of width and baseline given, when focused.
    void _DrawFocusLine(float left, float right, float baseline);
    // The label from x on, centred from top to bottom, over low; with the
    // focus line under it.
    void _DrawLabelFrom(float x, rgb_color low);

private:
    std::string fLabel;
    int32 fValue = B_CONTROL_OFF;
    bool fEnabled = true;
    bool fNavigable = false;
    bool fTracking = false;
    bool fInside = false;
};
