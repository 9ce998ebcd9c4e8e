// One row of a BListView: its height and width, and whether it is
// selected and enabled. The list view sets the size through Update() and
// calls DrawItem() to draw the row into its frame.
#pragma once

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

class BFont;
class BView;

class BListItem
{
public:
    explicit BListItem(uint32 outlineLevel = 0, bool expanded = true);
    virtual ~BListItem();

    BListItem(const BListItem&) = delete;
    BListItem& operator=(const BListItem&) = delete;

    float Height() const { return fHeight; }
    float Width() const { return fWidth; }
    void SetHeight(float height) { fHeight = height; }
    void SetWidth(float width) { fWidth = width; }
    bool IsSelected() const { return fSelected; }
    void Select() { fSelected = true; }
    void Deselect() { fSelected = false; }
    virtual void SetEnabled(bool enabled) { fEnabled = enabled; }
    bool IsEnabled() const { return fEnabled; }
    uint32 OutlineLevel() const { return fOutlineLevel; }
    bool IsExpanded() const { return fExpanded; }

    // frame is in the owner's coordinates; complete asks for the
    // background of an unselected row too.
    virtual void DrawItem(BView* owner, BRect frame, bool complete = false) = 0;
    // The owner's width and font: the default takes the width and a height
    // of one line of that font.
    virtual void Update(BView* owner, const BFont* font);

private:
    float fWidth = 0;
    float fHeight = 0;
    uint32 fOutlineLevel;
    bool fSelected = false;
    bool fEnabled = true;
    bool fExpanded;
};
