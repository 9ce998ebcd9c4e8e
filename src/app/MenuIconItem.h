// A menu item with a small picture in front of its label: a colour swatch
// for an order's status, the icon of a linked file, or an icon of its own.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "kit/interface/MenuItem.h"

class BBitmap;

class MenuIconItem : public BMenuItem
{
public:
    // Kinds: 0 a swatch in "OR Preview", 3 in "PB Closed", 4 in "OR Break"
    // (1 and 2 none); kLinkKind the small icon of the file in the message's
    // "link_t"; a negative kind the icon given by SetIconData() or
    // SetIconMime(). Takes ownership of message.
    MenuIconItem(const char* label, BMessage* message, int32 kind, char shortcut = 0,
                 uint32 modifiers = 0);
    ~MenuIconItem() override;

    static constexpr int32 kLinkKind = 10;
    static constexpr float kPictureSize = 15;
    static constexpr int32 kIconSide = 16;
    // Raw icon data: kIconSide x kIconSide pixels of 4 bytes (B, G, R, A).
    static constexpr size_t kIconDataSize = kIconSide * kIconSide * 4;

    int32 Kind() const { return fKind; }
    bool HasIcon() const { return fIcon != nullptr; }
    // B_BAD_VALUE (after "icon wrong size \n") unless length is
    // kIconDataSize; the item keeps a copy.
    status_t SetIconData(const void* data, size_t length);
    // The icon of a MIME type (app/Icons.h); B_ENTRY_NOT_FOUND (after "icon
    // is uninitialized \n") when there is none.
    status_t SetIconMime(const char* type);

    // Items alive now.
    static std::atomic<int32> mitC;

protected:
    void GetContentSize(float* width, float* height) override;
    void DrawContent() override;

private:
    void _LoadLinkIcon();
    void _DrawSwatch(BPoint where, rgb_color color);
    void _DrawPage(BPoint where);

    int32 fKind;
    std::unique_ptr<BBitmap> fIcon;
    // Kind 10: whether the linked file was there when the item was made.
    bool fLinkPresent = false;
    bool fWarned = false;
};
