// The drop area for an order's file links: files dropped on it become links
// of the order; a click lists them to open, a secondary click to remove.
//
// The view keeps the order's id, never a pointer: every look at the links
// finds the order again under the order list's lock, and an order that is
// gone leaves an empty area.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kit/interface/View.h"

class BBitmap;
class BMessage;

class LinkTank : public BView
{
public:
    static constexpr uint32 kOpen = 'LT_O';
    static constexpr int32 kModeOpen = 1;
    static constexpr int32 kModeRemove = 2;

    LinkTank(BRect frame, const char* name, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP);
    ~LinkTank() override;

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MessageReceived(BMessage* message) override;

    // Binds the links of the order with that id (-1: none) and counts them.
    void SetListPointer(int32 orderId);
    // A 'DATA' drop: the first file's full path becomes a link.
    void AddDragged(BMessage* message);
    // An 'LT_O' choice: "_mod" 1 opens "link_t", 2 removes every equal link.
    void PleaseOpen(BMessage* message);

    int32 OrderId() const { return fOrderId; }
    int32 LinkCount() const { return fCount; }
    bool HasLinks() const { return fHasLinks; }
    // The bound order's links now; empty without one.
    std::vector<std::string> Links() const;

private:
    void _Recount();

    std::unique_ptr<BBitmap> fBookmark;
    int32 fOrderId = -1;
    int32 fCount = 0;
    bool fHasLinks = false;
};
