#include "kit/interface/ListView.h"

#include <algorithm>

#include "kit/app/Message.h"
#include "kit/interface/ListItem.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

BListView::BListView(BRect frame, const char* name, list_view_type type, uint32 resizingMode,
                     uint32 flags)
    : BView(frame, name, resizingMode, flags), fType(type)
{
    SetInvokerSource(static_cast<BListView*>(this));
}

BListView::~BListView()
{
    for (BListItem* item : fItems)
        delete item;
}

// MARK: Hooks

void BListView::AttachedToWindow()
{
    if (!Messenger().IsValid() && Window() != nullptr)
        SetTarget(Window());
    _UpdateItems();
    _FixupScrollBar();
}

void BListView::AllAttached()
{
    _FixupScrollBar();
}

void BListView::FrameResized(float, float)
{
    _UpdateItems();
    _FixupScrollBar();
}

void BListView::Draw(BRect updateRect)
{
    BStateGuard state(this);
    SetLowColor(ViewColor());
    float top = 0;
    BRect bounds = Bounds();
    for (BListItem* item : fItems) {
        BRect frame(bounds.left, top, bounds.right, top + item->Height() - 1);
        top += item->Height();
        if (frame.bottom < updateRect.top)
            continue;
        if (frame.top > updateRect.bottom)
            break;
        item->DrawItem(this, frame, false);
    }
}

void BListView::MouseDown(BPoint where)
{
    MakeFocus(true);
    int32 index = IndexOf(where);
    if (index < 0)
        return;
    BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
    int32 clicks = message != nullptr ? message->GetInt32("clicks", 1) : 1;
    uint32 modifiers = message != nullptr ? uint32(message->GetInt32("modifiers", 0)) : 0;
    if (clicks >= 2 && index == fCaret && IsItemSelected(index)) {
        Invoke();
        return;
    }
    _SelectWithModifiers(index, modifiers);
}

void BListView::KeyDown(const char* bytes, int32 numBytes)
{
    if (numBytes != 1 || fItems.empty())
        return BView::KeyDown(bytes, numBytes);
    BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
    uint32 modifiers = message != nullptr ? uint32(message->GetInt32("modifiers", 0)) : 0;
    int32 last = CountItems() - 1;
    switch (bytes[0]) {
    case B_UP_ARROW:
        return _MoveCaret(fCaret < 0 ? last : std::max(0, fCaret - 1), modifiers);
    case B_DOWN_ARROW:
        return _MoveCaret(fCaret < 0 ? 0 : std::min(last, fCaret + 1), modifiers);
    case B_HOME:
        return _MoveCaret(0, modifiers);
    case B_END:
        return _MoveCaret(last, modifiers);
    case B_ENTER:
        if (CurrentSelection() >= 0)
            Invoke();
        return;
    default:
        return BView::KeyDown(bytes, numBytes);
    }
}

// MARK: Items

bool BListView::AddItem(BListItem* item)
{
    return AddItem(item, CountItems());
}

bool BListView::AddItem(BListItem* item, int32 index)
{
    if (item == nullptr || index < 0 || index > CountItems())
        return false;
    fItems.insert(fItems.begin() + index, item);
    BFont font;
    GetFont(&font);
    item->Update(this, &font);
    if (fAnchor >= index)
        fAnchor++;
    if (fCaret >= index)
        fCaret++;
    BRect bounds = Bounds();
    Invalidate(BRect(bounds.left, _ItemTop(index), bounds.right, bounds.bottom));
    _FixupScrollBar();
    return true;
}

BListItem* BListView::RemoveItem(int32 index)
{
    if (index < 0 || index >= CountItems())
        return nullptr;
    BRect bounds = Bounds();
    Invalidate(BRect(bounds.left, _ItemTop(index), bounds.right, bounds.bottom));
    BListItem* item = fItems[index];
    fItems.erase(fItems.begin() + index);
    bool wasSelected = item->IsSelected();
    item->Deselect();
    auto shift = [&](int32& at) {
        if (at > index)
            at--;
        else if (at == index)
            at = -1;
    };
    shift(fAnchor);
    shift(fCaret);
    _FixupScrollBar();
    if (wasSelected) {
        SelectionChanged();
        if (fSelectionMessage != nullptr)
            Invoke(fSelectionMessage.get());
    }
    return item;
}

bool BListView::RemoveItem(BListItem* item)
{
    return RemoveItem(IndexOf(item)) != nullptr;
}

bool BListView::RemoveItems(int32 index, int32 count)
{
    if (index < 0 || count < 0 || index + count > CountItems())
        return false;
    for (int32 i = 0; i < count; i++)
        delete RemoveItem(index);
    return true;
}

void BListView::MakeEmpty()
{
    if (fItems.empty())
        return;
    bool hadSelection = CurrentSelection() >= 0;
    std::vector<BListItem*> items;
    items.swap(fItems);
    for (BListItem* item : items)
        delete item;
    fAnchor = fCaret = -1;
    Invalidate();
    ScrollTo(Bounds().left, 0);
    _FixupScrollBar();
    if (hadSelection) {
        SelectionChanged();
        if (fSelectionMessage != nullptr)
            Invoke(fSelectionMessage.get());
    }
}

BListItem* BListView::ItemAt(int32 index) const
{
    return index >= 0 && index < CountItems() ? fItems[index] : nullptr;
}

int32 BListView::IndexOf(const BListItem* item) const
{
    auto found = std::find(fItems.begin(), fItems.end(), item);
    return found != fItems.end() ? static_cast<int32>(found - fItems.begin()) : -1;
}

int32 BListView::IndexOf(BPoint point) const
{
    float top = 0;
    for (int32 i = 0; i < CountItems(); i++) {
        float bottom = top + fItems[i]->Height();
        if (point.y >= top && point.y < bottom)
            return i;
        top = bottom;
    }
    return -1;
}

float BListView::_ItemTop(int32 index) const
{
    float top = 0;
    for (int32 i = 0; i < index && i < CountItems(); i++)
        top += fItems[i]->Height();
    return top;
}

BRect BListView::ItemFrame(int32 index) const
{
    if (index < 0 || index >= CountItems())
        return BRect();
    BRect bounds = Bounds();
    float top = _ItemTop(index);
    return BRect(bounds.left, top, bounds.right, top + fItems[index]->Height() - 1);
}

void BListView::InvalidateItem(int32 index)
{
    if (index >= 0 && index < CountItems())
        Invalidate(ItemFrame(index));
}

void BListView::_UpdateItems()
{
    BFont font;
    GetFont(&font);
    for (BListItem* item : fItems)
        item->Update(this, &font);
}

void BListView::_FixupScrollBar()
{
    BScrollBar* bar = ScrollBar(B_VERTICAL);
    if (bar == nullptr)
        return;
    float total = _ItemTop(CountItems());
    float visible = Bounds().Height() + 1;
    bar->SetRange(0, std::max(0.0f, total - visible));
    bar->SetProportion(total > 0 ? std::min(1.0f, visible / total) : 1.0f);
    float step = fItems.empty() ? 20 : fItems.front()->Height();
    bar->SetSteps(step, std::max(step, visible - step));
}

// MARK: Selection

void BListView::SetListType(list_view_type type)
{
    if (type == fType)
        return;
    fType = type;
    // A list made single keeps only its first selected row.
    if (type == B_SINGLE_SELECTION_LIST && CurrentSelection(1) >= 0)
        Select(CurrentSelection());
}

void BListView::_SetSelection(const std::vector<bool>& selected, int32 anchor, int32 caret)
{
    fAnchor = anchor;
    fCaret = caret;
    bool changed = false;
    for (int32 i = 0; i < CountItems(); i++) {
        if (fItems[i]->IsSelected() == selected[i])
            continue;
        changed = true;
        if (selected[i])
            fItems[i]->Select();
        else
            fItems[i]->Deselect();
        InvalidateItem(i);
    }
    if (!changed)
        return;
    SelectionChanged();
    if (fSelectionMessage != nullptr)
        Invoke(fSelectionMessage.get());
}

void BListView::Select(int32 index, bool extend)
{
    Select(index, index, extend);
}

void BListView::Select(int32 from, int32 to, bool extend)
{
    if (from < 0 || to < 0 || from >= CountItems() || to >= CountItems())
        return;
    if (fType == B_SINGLE_SELECTION_LIST) {
        extend = false;
        to = from;
    }
    std::vector<bool> selected(fItems.size(), false);
    if (extend) {
        for (int32 i = 0; i < CountItems(); i++)
            selected[i] = fItems[i]->IsSelected();
    }
    for (int32 i = std::min(from, to); i <= std::max(from, to); i++)
        selected[i] = true;
    _SetSelection(selected, from, to);
}

void BListView::Deselect(int32 index)
{
    if (index < 0 || index >= CountItems())
        return;
    std::vector<bool> selected(fItems.size());
    for (int32 i = 0; i < CountItems(); i++)
        selected[i] = i != index && fItems[i]->IsSelected();
    _SetSelection(selected, fAnchor, fCaret);
}

void BListView::DeselectAll()
{
    _SetSelection(std::vector<bool>(fItems.size(), false), fAnchor, fCaret);
}

void BListView::DeselectExcept(int32 exceptFrom, int32 exceptTo)
{
    std::vector<bool> selected(fItems.size());
    for (int32 i = 0; i < CountItems(); i++)
        selected[i] = i >= exceptFrom && i <= exceptTo && fItems[i]->IsSelected();
    _SetSelection(selected, fAnchor, fCaret);
}

bool BListView::IsItemSelected(int32 index) const
{
    BListItem* item = ItemAt(index);
    return item != nullptr && item->IsSelected();
}

int32 BListView::CurrentSelection(int32 n) const
{
    for (int32 i = 0; i < CountItems(); i++) {
        if (fItems[i]->IsSelected() && n-- == 0)
            return i;
    }
    return -1;
}

void BListView::SelectionChanged() {}

void BListView::_SelectWithModifiers(int32 index, uint32 modifiers)
{
    if (fType == B_MULTIPLE_SELECTION_LIST && (modifiers & B_SHIFT_KEY) != 0) {
        int32 anchor = fAnchor >= 0 ? fAnchor : index;
        std::vector<bool> selected(fItems.size(), false);
        for (int32 i = std::min(anchor, index); i <= std::max(anchor, index); i++)
            selected[i] = true;
        return _SetSelection(selected, anchor, index);
    }
    if (fType == B_MULTIPLE_SELECTION_LIST && (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY)) != 0) {
        std::vector<bool> selected(fItems.size());
        for (int32 i = 0; i < CountItems(); i++)
            selected[i] = fItems[i]->IsSelected() != (i == index);
        return _SetSelection(selected, index, index);
    }
    Select(index);
}

void BListView::_MoveCaret(int32 index, uint32 modifiers)
{
    // Ctrl only toggles on a click; with the keys it moves like a plain key.
    _SelectWithModifiers(index, modifiers & B_SHIFT_KEY);
    ScrollToItem(index);
}

void BListView::ScrollToItem(int32 index)
{
    if (index < 0 || index >= CountItems())
        return;
    BRect frame = ItemFrame(index);
    BRect bounds = Bounds();
    if (frame.top < bounds.top)
        ScrollTo(bounds.left, frame.top);
    else if (frame.bottom > bounds.bottom)
        ScrollTo(bounds.left, frame.bottom - bounds.Height());
}

void BListView::ScrollToSelection()
{
    ScrollToItem(CurrentSelection());
}

// MARK: Messages

void BListView::SetSelectionMessage(BMessage* message)
{
    fSelectionMessage.reset(message);
}

uint32 BListView::SelectionCommand() const
{
    return fSelectionMessage != nullptr ? fSelectionMessage->what : 0;
}

status_t BListView::Invoke(BMessage* message)
{
    const BMessage* source = message != nullptr ? message : Message();
    if (source == nullptr)
        return B_BAD_VALUE;
    BMessage copy(*source);
    copy.RemoveName("index");
    for (int32 i = 0; i < CountItems(); i++) {
        if (fItems[i]->IsSelected())
            copy.AddInt32("index", i);
    }
    return BInvoker::Invoke(&copy);
}
