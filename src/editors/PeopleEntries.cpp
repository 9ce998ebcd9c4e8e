#include "editors/PeopleEntries.h"

#include <cstring>
#include <mutex>

#include "app/AddressBook.h"
#include "kit/interface/Bitmap.h"

namespace {

std::mutex sSourceLock;
PeopleSource sSource;

} // namespace

std::vector<PeopleEntry> AddressBookEntries()
{
    PeopleSource source;
    {
        std::lock_guard lock(sSourceLock);
        source = sSource;
    }
    // Read outside the lock: a reader may take a while on a large folder.
    return source ? source() : std::vector<PeopleEntry>();
}

void SetAddressBookSource(PeopleSource source)
{
    std::lock_guard lock(sSourceLock);
    sSource = std::move(source);
}

void UseDesktopAddressBook()
{
    SetAddressBookSource([] {
        std::vector<PeopleEntry> entries;
        for (const AddressBook::Entry& card : AddressBook::Scan()) {
            PeopleEntry entry{card.name, card.mail, card.group, {}};
            // The menu takes 16 x 16 pixels of 4 bytes, row after row.
            const BBitmap* icon = card.icon.get();
            if (icon != nullptr && icon->Bounds().IntegerWidth() == 15 &&
                icon->Bounds().IntegerHeight() == 15) {
                const auto* bits = static_cast<const uint8*>(icon->Bits());
                for (int32 row = 0; row < 16; row++) {
                    const uint8* line = bits + row * icon->BytesPerRow();
                    entry.icon.insert(entry.icon.end(), line, line + 16 * 4);
                }
            }
            entries.push_back(std::move(entry));
        }
        return entries;
    });
}
