// A knob: one job of one order inside a bar of the calendar. It keeps the
// ids of its order, job and worker, never pointers, and what it draws as
// plain values copied under the lists' locks (Refresh). The knob of the
// marked order's last job carries the drag handle (MoverView).
#pragma once

#include <string>

#include "kit/app/GraphicsDefs.h"
#include "kit/interface/View.h"

class MoverView;
class Order;
class PlanLock;

class Oknopf : public BView
{
public:
    // What a knob shows, copied from its order and job.
    struct Data
    {
        int32 orderId = -1;
        int32 jobIndex = -1;
        int32 workerId = -1;
        bool lastJob = false; // the order's last job: the handle's knob
        int32 orderStatus = 0;
        rgb_color statusColor = {};
        uint8 jobStatus = 0;
        bool highlighted = false;
        bool marked = false;
        bool overrun = false;
        std::string info;
    };

    Oknopf(BRect frame, const std::string& label, const Data& data);
    ~Oknopf() override;

    void Draw(BRect updateRect) override;
    void MessageReceived(BMessage* message) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;

    virtual void MouseClick();
    // Gives the knob its handle when it is the marked order's last job and
    // the calendar is not in row mode, takes it away otherwise.
    virtual void AddMover();

    // Copies the values again from the order (null: gone, the knob keeps
    // what it had and says so) and adds or removes the handle.
    void Refresh(Order* order);
    // The fill colour by the rules of the display mode.
    rgb_color FillColor(int32 displayMode) const;
    // The text drawn (the job's info text or the label).
    std::string Text() const;

    const Data& KnopfData() const { return fData; }
    const std::string& Label() const { return fLabel; }
    MoverView* Handle() const { return fHandle; }
    bool Selected() const { return fSelected; }

    static Data DataOf(const Order& order, int32 jobIndex);

    static int32 okn_count; // live knobs
    static Oknopf* ex_okn;  // the knob clicked last, or null

private:
    int32 _DisplayMode() const;
    void _DrawOverrun(float right, float bottom);

    std::string fLabel;
    Data fData;
    MoverView* fHandle = nullptr;
    int32 fNumber;
    bool fSelected = false;
    rgb_color fLastColor = {};
};
