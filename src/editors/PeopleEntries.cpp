#include "editors/PeopleEntries.h"

#include <mutex>

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
