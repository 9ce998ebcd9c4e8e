// A list of rows (BListItem) that the user selects with the mouse and
// the arrow keys. A single-selection list keeps at most one row selected;
// in a multiple-selection list Shift+click selects the range from the
// last clicked row and Ctrl+click toggles one row.
//
// Every change of the selection calls SelectionChanged() and sends the
// selection message; a double click or Enter sends the invocation message
// (the BInvoker message). Both carry "index" for each selected row.
//
// Unlike on the platform the list owns its items: RemoveItem() hands one
// back to the caller, MakeEmpty() and the destructor delete them.
#pragma once

#include <memory>
#include <vector>

#include "kit/app/Invoker.h"
#include "kit/interface/View.h"

class BListItem;

enum list_view_type : uint32
{
    B_SINGLE_SELECTION_LIST = 0,
    B_MULTIPLE_SELECTION_LIST = 1,
};

class BListView : public BView, public BInvoker
{
public:
    BListView(BRect frame, const char* name, list_view_type type = B_SINGLE_SELECTION_LIST,
              uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
              uint32 flags = B_WILL_DRAW | B_NAVIGABLE | B_FRAME_EVENTS);
    ~BListView() override;

    void AttachedToWindow() override;
    // A scroll view attaches its bars after its target: fit them once all are there.
    void AllAttached() override;
    void Draw(BRect updateRect) override;
    void FrameResized(float width, float height) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;

    // MARK: Items
    // False for a null item or an index past the end.
    bool AddItem(BListItem* item);
    bool AddItem(BListItem* item, int32 index);
    BListItem* RemoveItem(int32 index);
    bool RemoveItem(BListItem* item);
    bool RemoveItems(int32 index, int32 count);
    void MakeEmpty();
    BListItem* ItemAt(int32 index) const;
    BListItem* FirstItem() const { return ItemAt(0); }
    BListItem* LastItem() const { return ItemAt(CountItems() - 1); }
    int32 CountItems() const { return static_cast<int32>(fItems.size()); }
    bool IsEmpty() const { return fItems.empty(); }
    bool HasItem(const BListItem* item) const { return IndexOf(item) >= 0; }
    int32 IndexOf(const BListItem* item) const;
    // The row under a point in view coordinates, or -1.
    int32 IndexOf(BPoint point) const;
    BRect ItemFrame(int32 index) const;
    void InvalidateItem(int32 index);

    // MARK: Selection
    void SetListType(list_view_type type);
    list_view_type ListType() const { return fType; }
    // extend keeps the rows selected already (multiple-selection lists).
    void Select(int32 index, bool extend = false);
    void Select(int32 from, int32 to, bool extend = false);
    void Deselect(int32 index);
    void DeselectAll();
    void DeselectExcept(int32 exceptFrom, int32 exceptTo);
    bool IsItemSelected(int32 index) const;
    // The index of the n-th selected row, or -1.
    int32 CurrentSelection(int32 n = 0) const;
    virtual void SelectionChanged();

    void ScrollToItem(int32 index);
    void ScrollToSelection();

    // MARK: Messages
    // Both take ownership.
    void SetSelectionMessage(BMessage* message);
    BMessage* SelectionMessage() const { return fSelectionMessage.get(); }
    uint32 SelectionCommand() const;
    void SetInvocationMessage(BMessage* message) { SetMessage(message); }
    BMessage* InvocationMessage() const { return Message(); }
    uint32 InvocationCommand() const { return Command(); }
    status_t Invoke(BMessage* message = nullptr) override;

private:
    // Applies a new selection: one flag per item.
    void _SetSelection(const std::vector<bool>& selected, int32 anchor, int32 caret);
    void _SelectWithModifiers(int32 index, uint32 modifiers);
    void _MoveCaret(int32 index, uint32 modifiers);
    void _UpdateItems();
    void _FixupScrollBar();
    float _ItemTop(int32 index) const;

    std::vector<BListItem*> fItems;
    list_view_type fType;
    std::unique_ptr<BMessage> fSelectionMessage;
    // Where a Shift range starts, and the row the keyboard moves from.
    int32 fAnchor = -1;
    int32 fCaret = -1;
};
