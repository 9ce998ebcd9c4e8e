// The job canvas of the order editor: a 10-pixel grid under the order's job
// bars (ProzBalken views, which the editor adds and takes out again), its
// colour by the order's status, and a rectangle drawn with the primary
// button that becomes a new job ('OADW').
#pragma once

#include "kit/interface/View.h"

class ProzView : public BView
{
public:
    ProzView(BRect frame, const char* name);

    void Draw(BRect updateRect) override;
    void DrawAfterChildren(BRect updateRect) override;
    void MessageReceived(BMessage* message) override;
    void MouseDown(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void MouseUp(BPoint where) override;

    virtual void VisOrderStat(int32 status);
    virtual void MarkStatus(int32 status);
    virtual void MakeSubView(BPoint where);
    // Takes every child out (the order owns its jobs) and fills its place.
    virtual void DeleteAllChilds();

    // The rectangle being drawn (invalid when none).
    BRect Drawing() const { return fDrawing ? fRect : BRect(); }

    // The grid steps of the rectangle: a press snaps down, the pointer up.
    static float SnapDown(float value);
    static float SnapUp(float value);
    // The rectangle from the snapped press to the pointer.
    static BRect SubViewRect(BPoint start, BPoint pointer);

private:
    rgb_color fGrid;
    int32 fMark = -1;
    bool fDrawing = false;
    BPoint fStart;
    BRect fRect;
};
