// The address-book entries the worker editor offers in its people menu. The
// editor only knows this list; where the entries come from (the vCard reader
// of the address book) is plugged in by the application.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "kit/app/SupportDefs.h"

struct PeopleEntry
{
    std::string name;        // an entry without a name is not offered
    std::string mail;        // empty: "-no mail-"
    std::string group;       // empty: "-"
    std::vector<uint8> icon; // 16 x 16 pixels of B, G, R, A; empty for none
};

using PeopleSource = std::function<std::vector<PeopleEntry>()>;

// The entries now, from the source set last; none while no source is set.
std::vector<PeopleEntry> AddressBookEntries();

// Where AddressBookEntries() reads from; an empty function removes the
// source. Any thread may call either.
void SetAddressBookSource(PeopleSource source);

// The desktop's address book as the source: the vCard files of ~/people and
// the data folder (AddressBook).
void UseDesktopAddressBook();
