#include "app/MenuIconItem.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "app/Icons.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "kit/app/Message.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/Menu.h"
#include "kit/interface/StateGuard.h"

std::atomic<int32> MenuIconItem::mitC{0};

namespace {

constexpr float kGap = 5;
const rgb_color kInk = {10, 10, 10, 255};

} // namespace

MenuIconItem::MenuIconItem(const char* label, BMessage* message, int32 kind, char shortcut,
                           uint32 modifiers)
    : BMenuItem(label, message, shortcut, modifiers), fKind(kind)
{
    mitC++;
    if (fKind == kLinkKind)
        _LoadLinkIcon();
}

MenuIconItem::~MenuIconItem()
{
    mitC--;
}

status_t MenuIconItem::SetIconData(const void* data, size_t length)
{
    if (data == nullptr || length != kIconDataSize) {
        printf("icon wrong size \n");
        return B_BAD_VALUE;
    }
    auto icon = std::make_unique<BBitmap>(BRect(0, 0, kIconSide - 1, kIconSide - 1), B_RGBA32);
    if (!icon->IsValid())
        return B_NO_MEMORY;
    std::memcpy(icon->Bits(), data, kIconDataSize);
    fIcon = std::move(icon);
    return B_OK;
}

status_t MenuIconItem::SetIconMime(const char* type)
{
    fIcon = LoadMimeIcon(type, kIconSide);
    if (fIcon == nullptr) {
        printf("icon is uninitialized \n");
        return B_ENTRY_NOT_FOUND;
    }
    return B_OK;
}

// Read once here: items are drawn with the menus' lock held, where no file
// may be read.
void MenuIconItem::_LoadLinkIcon()
{
    const char* path = Message() != nullptr ? Message()->GetString("link_t", nullptr) : nullptr;
    if (path == nullptr)
        return;
    struct stat info;
    fLinkPresent = stat(path, &info) == 0;
    if (!fLinkPresent)
        return;
    std::string type = S_ISDIR(info.st_mode) ? "inode/directory" : SniffFileType(path);
    fIcon = LoadMimeIcon(type.c_str(), kIconSide);
}

void MenuIconItem::GetContentSize(float* width, float* height)
{
    BMenuItem::GetContentSize(width, height);
    *width += kPictureSize + kGap;
    *height = std::max(*height, float(kIconSide));
}

void MenuIconItem::DrawContent()
{
    BMenu* menu = Menu();
    BPoint where = ContentLocation();
    {
        BStateGuard state(menu);
        if (fIcon != nullptr) {
            menu->SetDrawingMode(B_OP_ALPHA);
            menu->DrawBitmap(fIcon.get(), where);
        } else if (fKind == 0) {
            _DrawSwatch(where, AskColor(uc_PRE));
        } else if (fKind == 3) {
            _DrawSwatch(where, AskColor(uc_PBc));
        } else if (fKind == 4) {
            _DrawSwatch(where, AskColor(uc_BRE));
        } else if (fKind == kLinkKind) {
            _DrawPage(where);
        } else if (fKind < 0 && !fWarned) {
            fWarned = true;
            printf("icon is uninitialized \n");
        }
    }
    // The label after the picture area, in the colours the menu set.
    font_height metrics;
    menu->GetFontHeight(&metrics);
    float baseline = where.y + std::ceil(metrics.ascent);
    menu->DrawString(Label(), BPoint(where.x + kPictureSize + kGap, baseline));
}

void MenuIconItem::_DrawSwatch(BPoint where, rgb_color color)
{
    BRect area(where.x, where.y, where.x + kPictureSize - 1, where.y + kPictureSize - 1);
    Menu()->SetDrawingMode(B_OP_COPY);
    Menu()->SetHighColor(color);
    Menu()->FillRect(area.InsetByCopy(2, 2));
    Menu()->SetHighColor(kInk);
    Menu()->StrokeRect(area.InsetByCopy(2, 2));
}

// A sheet with a folded corner; a link whose file is gone is drawn grey.
void MenuIconItem::_DrawPage(BPoint where)
{
    BMenu* menu = Menu();
    float l = where.x + 2, t = where.y + 1, r = where.x + 12, b = where.y + 14;
    BPoint outline[] = {BPoint(l, t), BPoint(r - 4, t), BPoint(r, t + 4), BPoint(r, b),
                        BPoint(l, b)};
    menu->SetDrawingMode(B_OP_COPY);
    menu->SetHighColor(fLinkPresent ? rgb_color{255, 255, 255, 255}
                                    : rgb_color{200, 200, 200, 255});
    menu->FillPolygon(outline, 5);
    menu->SetHighColor(fLinkPresent ? kInk : rgb_color{130, 130, 130, 255});
    menu->StrokePolygon(outline, 5);
    menu->StrokeLine(BPoint(r - 4, t), BPoint(r - 4, t + 4));
    menu->StrokeLine(BPoint(r - 4, t + 4), BPoint(r, t + 4));
}
