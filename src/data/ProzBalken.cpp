#include "data/ProzBalken.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/AppPost.h"
#include "app/Bevels.h"
#include "app/FunctionKeys.h"
#include "app/Notices.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "data/ChangeMark.h"
#include "data/Order.h"
#include "data/RecordText.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

std::atomic<int32> ProzBalken::pbCount{0};

namespace {

constexpr float kGrid = 10;
constexpr float kMinWidth = 40;
constexpr float kMinHeight = 20;
constexpr bigtime_t kDragPoll = 20'000;

// The top-left handle moves the bar by whole grid steps. A dead band of one
// grid step around left + 10 (±5 pixels) keeps the bar from jumping to and
// fro while the mouse rests between two grid lines.
BRect moved_frame(BRect frame, BPoint mouse, BRect area)
{
    BRect next = frame;
    if (mouse.x < frame.left + kGrid / 2)
        next.OffsetBy(-kGrid, 0);
    else if (mouse.x >= frame.left + kGrid * 1.5f)
        next.OffsetBy(kGrid, 0);
    if (mouse.y < frame.top + kGrid / 2)
        next.OffsetBy(0, -kGrid);
    else if (mouse.y >= frame.top + kGrid * 1.5f)
        next.OffsetBy(0, kGrid);
    const bool inside = mouse.x > 5 && mouse.y > 5 && mouse.x < area.Width() - frame.Width() + 5 &&
                        mouse.y < area.Height() - frame.Height() + 5;
    return inside ? next : frame;
}

// The bottom-right handle moves the right and bottom edges by grid steps,
// never below the smallest bar and never out of the area.
BRect resized_frame(BRect frame, BPoint mouse, BRect area)
{
    float right = frame.right;
    float bottom = frame.bottom;
    if (mouse.x < right - kGrid)
        right -= kGrid;
    else if (mouse.x > right)
        right += kGrid;
    if (mouse.y < bottom - kGrid)
        bottom -= kGrid;
    else if (mouse.y > bottom)
        bottom += kGrid;
    right = std::min(std::max(right, frame.left + kMinWidth), std::max(area.right, frame.right));
    bottom =
        std::min(std::max(bottom, frame.top + kMinHeight), std::max(area.bottom, frame.bottom));
    const bool inside =
        mouse.x > 5 && mouse.y > 5 && mouse.x <= area.right && mouse.y <= area.bottom;
    return inside ? BRect(frame.left, frame.top, right, bottom) : frame;
}
// Far beyond any editor, near enough that every later computation on the
// frame stays exact in a float.
constexpr float kFarthest = 100'000;

// Status menu items: "open", "ready", the worker submenu, a separator,
// "Delete"; the index a chosen item reports is its place.
constexpr int32 kWorkerMenuIndex = 2;

float sane_edge(float value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, -kFarthest, kFarthest);
}

BRect sane_rect(BRect rect)
{
    return BRect(sane_edge(rect.left), sane_edge(rect.top), sane_edge(rect.right),
                 sane_edge(rect.bottom));
}

// One edge in units of the 10-pixel grid, rounded up.
int32 grid_units(float pixels)
{
    return static_cast<int32>(std::ceil(double(sane_edge(pixels)) / kGrid));
}

// A grid value as the file holds it: one byte. Clamped rather than wrapped,
// so a bar beyond the byte's range keeps its place in the job order.
uint8 grid_byte(int32 units)
{
    return static_cast<uint8>(std::clamp(units, 0, 255));
}

rgb_color opaque(rgb_color color)
{
    color.alpha = 255;
    return color;
}

std::string label(int32 index)
{
    return STLabel::getLabel(pb_lab, index);
}

void post_worker_bar(const char* informer, int32 workerNr, int32 workerId, TInt hours)
{
    BMessage message('WBRO');
    message.AddString("informer", informer);
    message.AddInt32("xworker", workerNr);
    message.AddInt32("pbID", workerId);
    message.AddInt32("pb_std", hours);
    PostToApp(message);
}

} // namespace

ProzBalken::ProzBalken(BRect position, int32 workerId, uint8 status, TInt hours, int32 priority,
                       const char* info)
    : BView(sane_rect(position), "added", B_FOLLOW_NONE, B_WILL_DRAW), contextMenu(nullptr),
      wkoList(STWorker::getSTWorker()), worker(nullptr), j_pos(sane_rect(position)), wko_nr(0),
      j_id(workerId), j_stat(status), j_time(hours), j_prio(priority), j_beg(CDayOfText({})),
      j_end(j_beg), j_info(info != nullptr ? RecordText(info, kInfoMax) : std::string("-")),
      highlighted(0), timebase('-'), fPlace(0)
{
    SetPlace(0, -1);
    SetViewColor(opaque(AskColor(uc_PBo)));
    BFont font(be_plain_font);
    font.SetSize(10);
    SetFont(&font);

    int32 number = wkoList != nullptr ? wkoList->FindWorkerNrOverID(workerId) : 999;
    if (number == 999) {
        printf("[%s] WKO n.Found ![ID:%4ld]", j_info.c_str(), long(workerId));
        number = 0;
    }
    wko_nr = number;
    worker = wkoList != nullptr ? wkoList->GetWorker(number) : nullptr;
    if (worker != nullptr)
        j_id = worker->w_id;
    AddToolTip(this, "RightMouseButton -- Set Worker or delete");
    ++pbCount;
}

ProzBalken::~ProzBalken()
{
    --pbCount;
    // The order owns the job; a window showing it only borrows it. Once the
    // window is locked its thread is not inside the context menu either.
    if (BWindow* window = Window()) {
        if (window->Lock()) {
            RemoveSelf();
            window->Unlock();
        }
    } else {
        RemoveSelf();
    }
    if (contextMenu != nullptr)
        contextMenu->RemoveItems(0, contextMenu->CountItems(), true);
    delete contextMenu;
    BMessage message('WBRO');
    message.AddString("informer", "del ProzBalken");
    message.AddInt32("xworker", wko_nr);
    PostToApp(message);
}

Worker* ProzBalken::CurrentWorker()
{
    STWorker* workers = STWorker::Existing();
    worker = workers != nullptr ? workers->GetWorkerWithID(j_id) : nullptr;
    return worker;
}

// MARK: Drawing

void ProzBalken::Draw(BRect)
{
    DrawInView(Parent());
}

void ProzBalken::DrawInView(BView*)
{
    rgb_color fill = AskColor(j_stat == kJStatOpen ? uc_PBo : uc_PBc);
    if (j_stat == kJStatDeleted)
        fill = AskColor(uc_ERR);
    fill = opaque(fill);
    const rgb_color light = tint_color(fill, B_LIGHTEN_2_TINT);
    const rgb_color dark = tint_color(fill, B_DARKEN_2_TINT);

    {
        BStateGuard state(this);
        SetDrawingMode(B_OP_COPY);
        SetHighColor(fill);
        FillRect(Bounds());
    }
    BorderMe(this, &light, &dark, B_OP_COPY);
    // Every other pixel of the bevel the other way round: the bar's grip.
    Dotter(this, &dark, &light, B_OP_COPY);
    if (j_stat == kJStatDeleted)
        return;
    _DrawTexts();
}

void ProzBalken::_DrawTexts()
{
    Worker* current = CurrentWorker();
    std::string name;
    if (current != nullptr)
        name = (prefsdata.load() & VTa_SHOW_NAME) != 0 ? current->w_name : current->w_alias;
    std::string info = j_info == "-" ? std::string("  ") : j_info;

    const BRect bounds = Bounds();
    BFont font(be_plain_font);
    font.SetSize(10);
    const bool upright = bounds.Height() > bounds.Width();
    if (upright) {
        font.SetRotation(90);
        font.SetSpacing(B_CHAR_SPACING);
    }
    font.TruncateString(&name, B_TRUNCATE_END,
                        upright ? bounds.Height() - 15 : bounds.Width() - 20);
    font.TruncateString(&info, B_TRUNCATE_END,
                        upright ? bounds.Height() - 10 : bounds.Width() - 10);

    BStateGuard state(this);
    SetFont(&font);
    SetDrawingMode(B_OP_OVER);
    SetHighColor(opaque(AskColor(uc_TXT)));
    if (upright) {
        DrawString(name.c_str(), BPoint(bounds.left + 10, bounds.bottom - 3));
        DrawString(info.c_str(), BPoint(bounds.left + 20, bounds.bottom - 3));
    } else {
        DrawString(name.c_str(), BPoint(15, 10));
        DrawString(info.c_str(), BPoint(5, 20));
    }
}

void ProzBalken::Highlight()
{
    {
        BStateGuard state(this);
        SetDrawingMode(B_OP_COPY);
        SetHighColor(opaque(AskColor(uc_KNM)));
        FillTriangle(BPoint(1, 1), BPoint(7, 1), BPoint(1, 7));
        FillTriangle(BPoint(9, 1), BPoint(13, 1), BPoint(9, 5));
    }
    if (Window() != nullptr)
        Flush();
}

// MARK: Mouse and messages

void ProzBalken::MouseDown(BPoint where)
{
    MouseClick(where);
}

void ProzBalken::MouseClick(BPoint where)
{
    BMessage show('WUIx');
    show.AddInt32("worker", wko_nr);
    PostToApp(show);
    BMessage sum('OSUM');
    sum.AddInt32("xworker", wko_nr);
    sum.AddInt32("pb_std", j_time);
    sum.AddString("pb_inf", j_info);
    // The receiver looks the job up: it may be gone by then.
    sum.AddInt32("u_order", OrderId());
    sum.AddInt32("pb_index", JobIndex());
    PostToApp(sum);

    uint32 buttons = 0;
    BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
    if (current != nullptr && current->what == B_MOUSE_DOWN)
        buttons = uint32(current->GetInt32("buttons", 0));
    else
        GetMouse(nullptr, &buttons, false);

    if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
        _OpenContextMenu();
        return;
    }
    Highlight();
    const BRect bounds = Bounds();
    if (where.x < bounds.left + 20 && where.y < bounds.top + 15)
        MoveMyView();
    else if (where.x > bounds.right - 10 && where.y > bounds.bottom - 10)
        ResizeMyView();
}

void ProzBalken::_OpenContextMenu()
{
    // Made on first use: a project holds thousands of jobs, few are clicked.
    if (contextMenu == nullptr)
        contextMenu = new BPopUpMenu("pbcontext", false, false);
    contextMenu->RemoveItems(0, contextMenu->CountItems(), true);
    contextMenu->AddItem(new BMenuItem(label(0).c_str(), new BMessage('PB01')));
    contextMenu->AddItem(new BMenuItem(label(1).c_str(), new BMessage('PB01')));
    auto* workers = new BMenu(label(kWorkerMenuIndex).c_str());
    if (STWorker* list = STWorker::Existing())
        list->SortedMWorkerList(workers, 'PB02', "myID", 1);
    for (int32 i = 0; i < workers->CountItems(); i++) {
        BMenuItem* item = workers->ItemAt(i);
        const BMessage* message = item->Message();
        if (message != nullptr && message->GetInt32("myID", -1) == j_id)
            item->SetMarked(true);
    }
    contextMenu->AddItem(workers);
    contextMenu->AddSeparatorItem();
    contextMenu->AddItem(new BMenuItem(label(3).c_str(), new BMessage('PB01')));
    if (j_stat < kJStatDeleted)
        contextMenu->ItemAt(j_stat)->SetMarked(true);
    // The window stays locked while the menu is open, so the chosen item is
    // handed on here instead of being sent to this view from the menu.
    BMenuItem* chosen = contextMenu->Go(ConvertToScreen(BPoint(8, 5)), false);
    if (chosen == nullptr || chosen->Message() == nullptr || Looper() == nullptr)
        return;
    BMessage message(*chosen->Message());
    message.AddInt32("index", chosen->Menu() != nullptr ? chosen->Menu()->IndexOf(chosen) : -1);
    Looper()->PostMessage(&message, this);
}

void ProzBalken::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case 'PB01':
        return _StatusChosen(message);
    case 'PB02':
        return _WorkerChosen(message);
    case B_MOUSE_DOWN:
        return MouseClick(message->GetPoint("where", B_ORIGIN));
    default:
        BView::MessageReceived(message);
    }
}

void ProzBalken::_StatusChosen(BMessage* message)
{
    const int32 index = message->GetInt32("index", -1);
    const uint8 before = j_stat;
    if (index == 0 || index == 1)
        j_stat = uint8(index);
    else if (index > 2)
        j_stat = kJStatDeleted;
    if (j_stat != before)
        ChangeMark::Orders().Note();
    Invalidate();
    GetPosition();
    PostToApp('OCHK');
    BMessage bar('WBRO');
    bar.AddString("informer", "ProzBalken status");
    bar.AddInt32("xworker", wko_nr);
    PostToApp(bar);
}

void ProzBalken::_WorkerChosen(BMessage* message)
{
    post_worker_bar("ProzBalken old wko", wko_nr, j_id, j_time);
    STWorker* list = STWorker::Existing();
    const int32 id = message->GetInt32("myID", j_id);
    const int32 number = list != nullptr ? list->FindWorkerNrOverID(id) : 999;
    if (number != 999) {
        if (id != j_id)
            ChangeMark::Orders().Note();
        j_id = id;
        wko_nr = number;
        worker = list->GetWorker(number);
    }
    post_worker_bar("ProzBalken new wko", wko_nr, j_id, j_time);
    PostToApp('PB00');
    Invalidate();
}

void ProzBalken::KeyDown(const char* bytes, int32 numBytes)
{
    // Function keys mean the same in every window; the rest go on.
    BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
    if (current != nullptr && current->what == B_KEY_DOWN)
        KeyByOpen(0, current, 0);
    else
        BView::KeyDown(bytes, numBytes);
}

// MARK: Dragging on the grid

BRect ProzBalken::_DragArea() const
{
    if (BView* parent = Parent())
        return parent->Bounds();
    return Window() != nullptr ? Window()->Bounds() : Frame();
}

void ProzBalken::MoveMyView()
{
    _DragOnGrid(moved_frame);
}

void ProzBalken::ResizeMyView()
{
    _DragOnGrid(resized_frame);
}

// Follows the mouse one grid step per poll until the primary button is let
// go; step says which frame the bar takes next.
void ProzBalken::_DragOnGrid(GridStep step)
{
    const BRect area = _DragArea();
    for (;;) {
        BPoint mouse;
        uint32 buttons = 0;
        GetMouse(&mouse, &buttons);
        if ((buttons & B_PRIMARY_MOUSE_BUTTON) == 0)
            break;
        const BRect frame = Frame();
        const BRect next = step(frame, ConvertToParent(mouse), area);
        if (next != frame) {
            if (next.LeftTop() != frame.LeftTop())
                MoveTo(next.LeftTop());
            if (next.Width() != frame.Width() || next.Height() != frame.Height())
                ResizeTo(next.Width(), next.Height());
            Flush();
        }
        snooze(kDragPoll);
    }
    GetPosition();
}

void ProzBalken::GetPosition()
{
    const BRect frame = Frame();
    if (frame == j_pos)
        return;
    j_pos = frame;
    ChangeMark::Orders().Note();
    PostToApp('OCHK');
}

void ProzBalken::SetTextInf(const std::string& info)
{
    std::string text = RecordText(info, kInfoMax);
    if (text == j_info)
        return;
    j_info = std::move(text);
    ChangeMark::Orders().Note();
}

void ProzBalken::SetHours(TInt hours)
{
    hours = std::max(hours, TInt(0));
    if (hours == j_time)
        return;
    j_time = hours;
    ChangeMark::Orders().Note();
}

int32 ProzBalken::OrderId() const
{
    return int32(uint32(fPlace.load(std::memory_order_acquire) >> 32));
}

int32 ProzBalken::JobIndex() const
{
    return int32(uint32(fPlace.load(std::memory_order_acquire)));
}

void ProzBalken::SetPlace(int32 orderId, int32 index)
{
    fPlace.store(uint64_t(uint32(orderId)) << 32 | uint32(index), std::memory_order_release);
}

// MARK: Printing

void ProzBalken::PrintToStream()
{
    Worker* current = CurrentWorker();
    printf("[PB][v_at:%02d %02d %02d %02d][s:%d][%s][p%d][w:%s]", int(grid_units(j_pos.left)),
           int(grid_units(j_pos.right)), int(grid_units(j_pos.top)), int(grid_units(j_pos.bottom)),
           j_stat, TInt2str(j_time).c_str(), int(j_prio),
           current != nullptr ? current->w_name.c_str() : "-");
}

void ProzBalken::PrintAllPBTimes()
{
    printf("[beg: %s %ld]", CDay2str(&j_beg).c_str(), long(j_beg.hours));
    printf("[end: %s %ld]", CDay2str(&j_end).c_str(), long(j_end.hours));
}

std::array<int32, 4> ProzBalken::GridValues() const
{
    int32 left = grid_byte(grid_units(j_pos.left));
    int32 right = grid_byte(grid_units(j_pos.right));
    int32 top = grid_byte(grid_units(j_pos.top));
    int32 bottom = grid_byte(grid_units(j_pos.bottom));
    // A bar without width or height could not be grabbed again.
    if (right == left) {
        right = left + 2;
        printf("HH ");
    }
    if (right <= left) {
        right = left + 2;
        printf("RL ");
    }
    if (bottom == top) {
        bottom = top + 2;
        printf("VV ");
    }
    if (bottom <= top) {
        top = bottom;
        bottom = bottom + 2;
        printf("UD ");
    }
    // At the end of the byte the near edge gives way, so the bar keeps a
    // width and a height.
    left = std::min(left, 254);
    right = std::clamp(right, left + 1, 255);
    top = std::min(top, 254);
    bottom = std::clamp(bottom, top + 1, 255);
    return {left, right, top, bottom};
}

bool ProzBalken::PrintToFile(std::string& out)
{
    STWorker* workers = STWorker::Existing();
    if (workers == nullptr || workers->GetWorkerWithID(j_id) == nullptr) {
        printf("ProzBalken::PrintToFile Bad worker %ld", long(j_id));
        return false;
    }
    const auto [left, right, top, bottom] = GridValues();
    out += "[PB][" + std::to_string(left) + "][" + std::to_string(right) + "][" +
           std::to_string(top) + "][" + std::to_string(bottom) + "][" + std::to_string(long(j_id)) +
           "][" + std::to_string(j_stat) + "][" + TInt2str(j_time) + "][" + std::to_string(j_prio) +
           "][" + j_info + "]\n";
    return true;
}
