// The desktop's address book: the people of the vCard files (".vcf",
// versions 2.1, 3.0 and 4.0, several cards a file) in ~/people and in
// $XDG_DATA_HOME/vantrel/people (else ~/.local/share/vantrel/people).
//
// A card gives its FN as the name, its first EMAIL as the mail, its ORG
// (else its first CATEGORIES entry) as the group and an embedded PNG or JPEG
// PHOTO, fitted into 16 x 16 pixels, as the icon. A card without a name, or
// cut off before its END, is skipped with a diagnostic. Files are read up to
// kMaxFileBytes and kMaxCards, photos up to kMaxPhotoBytes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kit/app/Message.h"

class BBitmap;

class AddressBook
{
public:
    struct Entry
    {
        std::string name;
        std::string mail = "-no mail-";
        std::string group = "-";
        std::shared_ptr<BBitmap> icon; // 16 x 16 B_RGBA32, or null

        // 'L4PE' with "people", "mail" and "group": the address-book
        // menu's item.
        BMessage Message() const;
        // A group of more than four characters is a cost centre; a shorter
        // one leaves the worker's cost centre as it is.
        bool GroupIsCostCentre() const;
    };

    static constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;
    static constexpr size_t kMaxCards = 1000;
    static constexpr size_t kMaxPhotoBytes = 1024 * 1024;
    static constexpr int32 kIconSize = 16;

    // The folders looked in, in this order.
    static std::vector<std::string> Folders();
    // Every card of every ".vcf" file in the folders (files in name order),
    // sorted by name without regard to case; equal names keep that order.
    static std::vector<Entry> Scan();
    static std::vector<Entry> Scan(const std::vector<std::string>& folders);
    // The cards of one file, in file order; source names it in diagnostics.
    static std::vector<Entry> ReadFile(const std::string& path);
    static std::vector<Entry> ReadCards(std::string_view text, const std::string& source);
};
